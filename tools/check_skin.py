#!/usr/bin/env python3
"""Checks the content of the skin package before it is packed.

    python3 tools/check_skin.py [--root DIR] [--list]
    python3 tools/check_skin.py --self-test

DIR is the folder that holds manifest.txt (default: data/skin of this tree).
The check reads the manifest, skin.json and every picture and reports each
fault it finds; the exit status is 1 when there is one, else 0.

What is checked:
- manifest.txt: member paths in archive order, all in one top folder,
  skin.json first, no duplicates (names are compared ignoring case, as the
  program does), every member present on disk and every file of the top
  folder listed;
- skin.json: strict JSON in UTF-8 without a byte order mark or zero bytes
  (the program parses up to the first zero byte), no duplicate keys, only
  keys the program reads, each with the JSON type the program takes;
- the seven styles: each present, each with exactly the colour keys the
  program reads for it; colours written as eight hexadecimal digits
  AARRGGBB (with or without "0x") or as a JSON number; text colours opaque
  and readable on their backgrounds;
- pictures: every picture the program asks for by fixed name and every
  picture skin.json names is found the way the program finds members (the
  first member, in archive order, whose name ends with the wanted name,
  ignoring case), and that first match is the member of exactly that name;
  each is an 8-bit PNG with an alpha channel; markers are square, of one
  size, with transparent corners; check boxes and the caption icon are
  square; the texture is opaque; the logo stays clear of the mouse picture
  and of the button column.

--self-test runs the check against copies of the skin with one planted
fault each and fails when a fault goes unreported or the intact copy does
not pass.
"""

import argparse
import json
import os
import shutil
import struct
import sys
import tempfile
import zlib

TOP = "skin_korvane/"

# Pictures the program asks for by fixed name. Required: what this skin must
# provide. Optional: asked for too, but the skin may leave them out (the
# program then draws nothing in their place); when present they are checked.
MARKER_NUM = ["image/num%d.png" % d for d in range(1, 11)] + \
             ["image/num%dr.png" % d for d in range(1, 11)]
MARKER_TILT = ["image/tilt%s%d%s.png" % (side, d, hl)
               for side in "lr" for d in range(1, 5) for hl in ("", "r")]
OPTIONAL_FIXED = (["image/battery%d.png" % d for d in (1, 2)]
                  + ["image/tilt%s5%s.png" % (side, hl) for side in "lr" for hl in ("", "r")]
                  + ["image/dir%d.png" % d for d in range(1, 11)]
                  + ["image/dirR%d.png" % d for d in range(1, 11)])

# Picture members named in skin.json.
PICTURE_KEYS = ["logo_image", "blank_image", "uncheck_image", "checked_image",
                "patten_image", "caption_icon"]

# Colour keys read per style.
STYLE_KEYS = {
    "dialog_style": ["text_color", "text_bg_color", "foreground_color", "border_color",
                     "background_color1", "background_color2"],
    "caption_style": ["text_color", "text_bg_color", "foreground_color",
                      "background_color1", "background_color2"],
    "status_style": ["text_color", "text_bg_color", "foreground_color",
                     "background_color1", "background_color2"],
    "menu_style": ["text_color", "foreground_color", "border_color",
                   "background_color1", "background_color2"],
    "button_style": ["text_color", "foreground_color", "border_color",
                     "background_color1", "background_color2"],
    "button_hover_style": ["text_color", "foreground_color", "border_color",
                           "background_color1", "background_color2"],
    "text_style": ["text_color", "foreground_color", "background_color1", "background_color2"],
}

TOP_KEYS = (["update_url", "logo_image", "logo_x", "logo_y"] + PICTURE_KEYS[1:5]
            + ["battery_color", "battery_empty_color", "caption_icon", "skin_name"]
            + list(STYLE_KEYS))

# Text that must be readable: (style, text key, background keys, minimum
# contrast ratio). Labels of the text style sit on the window body.
CONTRAST = [
    ("dialog_style", "text_color", ["background_color1", "background_color2"], 7.0),
    ("caption_style", "text_color", ["background_color1", "background_color2"], 7.0),
    ("status_style", "text_color", ["background_color1"], 4.5),
    ("menu_style", "text_color", ["background_color1", "background_color2", "foreground_color"], 4.5),
    ("button_style", "text_color", ["background_color1", "background_color2"], 7.0),
    ("button_hover_style", "text_color", ["background_color1", "background_color2"], 7.0),
    ("text_style", "text_color", ["@body"], 7.0),
    # close and minimise glyphs on their button fill
    ("button_style", "foreground_color", ["background_color1"], 4.5),
    ("button_hover_style", "foreground_color", ["background_color1"], 4.5),
]

# Layout units (the window is 2400 units wide): the mouse picture starts at
# y = 320, the button column at x = 2400 - 60 - 880. The title bar takes
# about 80 units above the logo at every window size.
LOGO_MAX_BOTTOM = 320 - 80 - 10
LOGO_MAX_RIGHT = 2400 - 60 - 880 - 20
MARKER_SIDE = 52          # marker square at the full layout scale
CHECK_SIDE = 64           # check box picture side at the full layout scale


# ---------------------------------------------------------------- helpers

class Fault(Exception):
    pass


def read_manifest(path):
    members = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if line and not line.startswith("#"):
                members.append(line)
    return members


def find_by_suffix(members, suffix):
    """The member the program takes for a wanted name: the first, in archive
    order, whose name ends with it, ignoring case."""
    s = suffix.lower()
    for m in members:
        if len(m) >= len(s) and m.lower().endswith(s):
            return m
    return None


def hex_value(text):
    """Colour or position given as text: trimmed, every "0x" removed, the rest
    read as hexadecimal digits. Returns (value, digit count) or raises."""
    t = text.strip().replace("0x", "")
    if not t or any(c not in "0123456789abcdefABCDEF" for c in t):
        raise Fault("%r is not hexadecimal" % text)
    return int(t, 16) & 0xFFFFFFFF, len(t)


def colour_value(where, v):
    if isinstance(v, bool) or v is None:
        raise Fault("%s: a colour must be a text AARRGGBB or a number, not %s" % (where, json.dumps(v)))
    if isinstance(v, (int, float)):
        if v < 0 or v > 0xFFFFFFFF:
            raise Fault("%s: %s is outside 0..0xFFFFFFFF" % (where, v))
        return int(v)
    if isinstance(v, str):
        try:
            value, digits = hex_value(v)
        except Fault as e:
            raise Fault("%s: %s" % (where, e))
        if digits != 8:
            raise Fault("%s: %r needs 8 hexadecimal digits AARRGGBB (alpha first)" % (where, v))
        return value
    raise Fault("%s: a colour must be a text AARRGGBB or a number, not %s" % (where, type(v).__name__))


def over(argb, below_rgb):
    """The colour seen when argb is drawn over an opaque colour."""
    a = (argb >> 24) / 255.0
    rgb = [(argb >> s) & 0xFF for s in (16, 8, 0)]
    return [c * a + b * (1 - a) for c, b in zip(rgb, below_rgb)]


def luminance(rgb):
    def lin(c):
        c /= 255.0
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (lin(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(rgb1, rgb2):
    l1, l2 = sorted((luminance(rgb1), luminance(rgb2)), reverse=True)
    return (l1 + 0.05) / (l2 + 0.05)


# ---------------------------------------------------------------- PNG

PNG_SIG = b"\x89PNG\r\n\x1a\n"


def read_png(path):
    """Returns (width, height, channels, rows) for an 8-bit RGBA or grey+alpha
    PNG, rows as bytes per line; raises Fault for anything else."""
    with open(path, "rb") as f:
        data = f.read()
    if not data.startswith(PNG_SIG):
        raise Fault("not a PNG file")
    pos, ihdr, idat, = 8, None, []
    while pos + 8 <= len(data):
        length, ctype = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if len(body) != length:
            raise Fault("truncated PNG chunk")
        if ctype == b"IHDR":
            ihdr = struct.unpack(">IIBBBBB", body)
        elif ctype == b"IDAT":
            idat.append(body)
        elif ctype == b"IEND":
            break
        pos += 12 + length
    if ihdr is None or not idat:
        raise Fault("PNG without header or image data")
    w, h, depth, colour, _, _, interlace = ihdr
    if colour not in (4, 6):
        raise Fault("PNG without an alpha channel (colour type %d); store it as RGBA" % colour)
    if depth != 8:
        raise Fault("PNG with %d bits per channel; store it with 8" % depth)
    if interlace:
        raise Fault("interlaced PNG; store it without interlacing")
    ch = 4 if colour == 6 else 2
    raw = zlib.decompress(b"".join(idat))
    stride = w * ch
    rows, prev, p = [], bytearray(stride), 0
    for _ in range(h):
        ftype = raw[p]
        line = bytearray(raw[p + 1:p + 1 + stride])
        p += 1 + stride
        for i in range(stride):
            a = line[i - ch] if i >= ch else 0
            b = prev[i]
            c = prev[i - ch] if i >= ch else 0
            if ftype == 1:
                line[i] = (line[i] + a) & 0xFF
            elif ftype == 2:
                line[i] = (line[i] + b) & 0xFF
            elif ftype == 3:
                line[i] = (line[i] + ((a + b) >> 1)) & 0xFF
            elif ftype == 4:
                pa, pb, pc = abs(b - c), abs(a - c), abs(a + b - 2 * c)
                pr = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pr) & 0xFF
            elif ftype != 0:
                raise Fault("PNG with an unknown row filter")
        rows.append(bytes(line))
        prev = line
    return w, h, ch, rows


def alpha_at(png, x, y):
    w, h, ch, rows = png
    return rows[y][x * ch + ch - 1]


def write_png(path, w, h, rgba_rows, colour=6):
    """Small writer for the self-test (RGBA or, with colour 2, RGB)."""
    raw = b"".join(b"\x00" + r for r in rgba_rows)

    def chunk(t, b):
        return struct.pack(">I", len(b)) + t + b + struct.pack(">I", zlib.crc32(t + b) & 0xFFFFFFFF)
    with open(path, "wb") as f:
        f.write(PNG_SIG + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, colour, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


# ---------------------------------------------------------------- the check

def no_duplicates(pairs):
    obj = {}
    for k, v in pairs:
        if k in obj:
            raise Fault("duplicate key %r" % k)
        obj[k] = v
    return obj


def reject_constant(name):
    raise Fault("%s is not JSON" % name)


def check(root):
    """Returns (faults, notes, pictures); pictures maps member -> (w, h)."""
    faults, notes, pictures = [], [], {}
    manifest = os.path.join(root, "manifest.txt")
    if not os.path.isfile(manifest):
        return ["manifest.txt missing in %s" % root], notes, pictures
    members = read_manifest(manifest)

    # -- manifest
    if not members:
        faults.append("manifest.txt lists no member")
        return faults, notes, pictures
    if members[0] != TOP + "skin.json":
        faults.append("manifest: the first member must be %sskin.json, not %s" % (TOP, members[0]))
    seen = {}
    for m in members:
        if not m.startswith(TOP) or m == TOP:
            faults.append("manifest: %s is not inside the top folder %s" % (m, TOP))
        if "\\" in m or "/../" in "/" + m or m.startswith("/"):
            faults.append("manifest: %s is not a plain relative path" % m)
        if m.lower() in seen:
            faults.append("manifest: %s is listed twice (names are compared ignoring case)" % m)
        seen[m.lower()] = m
        if not os.path.isfile(os.path.join(root, m)):
            faults.append("manifest: %s is missing on disk" % m)
    top_dir = os.path.join(root, TOP)
    if os.path.isdir(top_dir):
        for dirpath, _, files in os.walk(top_dir):
            for f in files:
                rel = os.path.relpath(os.path.join(dirpath, f), root).replace(os.sep, "/")
                if rel.lower() not in seen:
                    faults.append("manifest: %s is on disk but not listed" % rel)
    if find_by_suffix(members, "skin.json") != TOP + "skin.json":
        faults.append("manifest: the name skin.json finds %s first" % find_by_suffix(members, "skin.json"))

    # -- skin.json
    skin_path = os.path.join(root, TOP, "skin.json")
    skin = None
    try:
        with open(skin_path, "rb") as f:
            raw = f.read()
        if raw.startswith(b"\xef\xbb\xbf"):
            raise Fault("starts with a byte order mark")
        if b"\x00" in raw:
            raise Fault("holds a zero byte; the program stops reading there")
        skin = json.loads(raw.decode("utf-8"), object_pairs_hook=no_duplicates,
                          parse_constant=reject_constant)
        if not isinstance(skin, dict):
            raise Fault("is not a JSON object")
    except OSError as e:
        faults.append("skin.json: cannot be read (%s)" % e.strerror)
    except (ValueError, Fault) as e:
        faults.append("skin.json does not parse: %s" % e)
        skin = None
    if skin is None:
        return faults, notes, pictures

    for k in skin:
        if k not in TOP_KEYS:
            faults.append("skin.json: key %r is not read by the program" % k)

    url = skin.get("update_url")
    if not isinstance(url, str) or not url.startswith("https://") or len(url) > 255 or " " in url:
        faults.append("skin.json: update_url must be an https:// address of at most 255 characters")

    for k in PICTURE_KEYS:
        if not isinstance(skin.get(k), str) or not skin[k]:
            faults.append("skin.json: %s must be a text naming a picture member" % k)
    if not isinstance(skin.get("caption_icon"), str):
        faults.append("skin.json: without a text caption_icon the program reads no style at all")
    if not isinstance(skin.get("skin_name"), str):
        faults.append("skin.json: skin_name must be a text")

    logo = {}
    for k in ("logo_x", "logo_y"):
        v = skin.get(k)
        try:
            if isinstance(v, bool) or not isinstance(v, (int, float, str)):
                raise Fault("must be a number or a hexadecimal text")
            logo[k] = hex_value(v)[0] if isinstance(v, str) else int(v)
            if not 0 <= logo[k] <= 2400:
                raise Fault("%d is outside the 2400-unit layout" % logo[k])
        except Fault as e:
            faults.append("skin.json: %s %s" % (k, e))

    for k in ("battery_color", "battery_empty_color"):
        v = skin.get(k)
        if not isinstance(v, str):
            faults.append("skin.json: %s must be a text (a number is ignored by the program)" % k)
        else:
            try:
                colour_value(k, v)
            except Fault as e:
                faults.append("skin.json: %s" % e)

    # -- styles
    styles = {}
    for name, keys in STYLE_KEYS.items():
        st = skin.get(name)
        if not isinstance(st, dict):
            faults.append("skin.json: %s must be an object" % name)
            continue
        styles[name] = {}
        for k in st:
            if k not in keys:
                faults.append("skin.json: %s.%s is not read by the program" % (name, k))
        for k in keys:
            if k not in st:
                faults.append("skin.json: %s.%s missing (it would be read as 0, transparent)" % (name, k))
                continue
            try:
                styles[name][k] = colour_value("%s.%s" % (name, k), st[k])
            except Fault as e:
                faults.append("skin.json: %s" % e)
    body = None
    d = styles.get("dialog_style", {})
    if "background_color1" in d:
        body = over(d["background_color1"], [0, 0, 0])
    for name, fg, bgs, minimum in CONTRAST:
        st = styles.get(name, {})
        if fg not in st or body is None:
            continue
        if fg == "text_color" and st[fg] >> 24 != 0xFF:
            faults.append("skin.json: %s.%s must be opaque (alpha FF)" % (name, fg))
        for bg in bgs:
            if bg == "@body":
                back = body
            elif bg in st:
                back = over(st[bg], body)
            else:
                continue
            ratio = contrast(over(st[fg], back), back)
            if ratio < minimum:
                faults.append("skin.json: %s.%s on %s has contrast %.1f, below %.1f"
                              % (name, fg, bg.lstrip("@"), ratio, minimum))
    if styles.get("button_style") and styles.get("button_style") == styles.get("button_hover_style"):
        faults.append("skin.json: button_hover_style equals button_style; hovering would show nothing")

    # -- pictures
    wanted = [(n, "required") for n in MARKER_NUM + MARKER_TILT]
    wanted += [(n, "optional") for n in OPTIONAL_FIXED]
    wanted += [(skin[k], k) for k in PICTURE_KEYS if isinstance(skin.get(k), str) and skin[k]]
    decoded = {}
    for name, why in wanted:
        hit = find_by_suffix(members, name)
        if hit is None:
            if why == "optional":
                continue
            faults.append("picture %s (%s) is not in the manifest" % (name, why))
            continue
        if hit.lower() != (TOP + name).lower():
            faults.append("picture %s (%s) resolves to %s, which comes first in the archive"
                          % (name, why, hit))
            continue
        path = os.path.join(root, hit)
        if not os.path.isfile(path):
            continue        # reported with the manifest
        try:
            png = read_png(path)
        except (Fault, zlib.error) as e:
            faults.append("picture %s: %s" % (hit, e))
            continue
        decoded[name] = png
        pictures[hit] = (png[0], png[1])
        if why == "optional":
            notes.append("optional picture %s present" % name)

    markers = [n for n in MARKER_NUM + MARKER_TILT + OPTIONAL_FIXED[2:6] if n in decoded]
    if isinstance(skin.get("blank_image"), str) and skin["blank_image"] in decoded:
        markers.append(skin["blank_image"])
    sizes = {}
    for n in markers:
        w, h = decoded[n][0], decoded[n][1]
        sizes.setdefault((w, h), []).append(n)
        if w != h:
            faults.append("picture %s: a marker must be square, is %dx%d" % (n, w, h))
        elif w < MARKER_SIDE:
            faults.append("picture %s: %d px is below the %d px marker square" % (n, w, MARKER_SIDE))
        corners = [alpha_at(decoded[n], x, y) for x in (0, w - 1) for y in (0, h - 1)]
        if max(corners) > 8:
            faults.append("picture %s: a corner is not transparent; it would hide the mouse picture" % n)
        if alpha_at(decoded[n], w // 2, h // 2) < 250:
            faults.append("picture %s: the centre is not opaque" % n)
    if len(sizes) > 1:
        faults.append("markers differ in size: %s" % ", ".join(
            "%dx%d (%s...)" % (k[0], k[1], v[0]) for k, v in sorted(sizes.items())))

    for k, minimum in (("uncheck_image", CHECK_SIDE), ("checked_image", CHECK_SIDE), ("caption_icon", 32)):
        n = skin.get(k)
        if isinstance(n, str) and n in decoded:
            w, h = decoded[n][0], decoded[n][1]
            if w != h or w < minimum:
                faults.append("picture %s (%s): must be square and at least %d px, is %dx%d"
                              % (n, k, minimum, w, h))
    n = skin.get("patten_image")
    if isinstance(n, str) and n in decoded:
        w, h, ch, rows = decoded[n]
        if min(w, h) < 16:
            faults.append("picture %s (patten_image): a texture tile below 16 px" % n)
        if any(r[i] != 255 for r in rows for i in range(ch - 1, len(r), ch)):
            faults.append("picture %s (patten_image): the texture must be opaque; "
                          "it is the window body" % n)
    n = skin.get("logo_image")
    if isinstance(n, str) and n in decoded and len(logo) == 2:
        w, h = decoded[n][0], decoded[n][1]
        if logo["logo_y"] + h > LOGO_MAX_BOTTOM:
            faults.append("picture %s (logo_image): logo_y + height = %d runs into the mouse picture "
                          "(at most %d)" % (n, logo["logo_y"] + h, LOGO_MAX_BOTTOM))
        if logo["logo_x"] + w > LOGO_MAX_RIGHT:
            faults.append("picture %s (logo_image): logo_x + width = %d runs into the button column "
                          "(at most %d)" % (n, logo["logo_x"] + w, LOGO_MAX_RIGHT))
    return faults, notes, pictures


# ---------------------------------------------------------------- self-test

def _edit_json(fn):
    def mutate(root):
        p = os.path.join(root, TOP, "skin.json")
        with open(p, encoding="utf-8") as f:
            doc = json.load(f)
        fn(doc)
        with open(p, "w", encoding="utf-8") as f:
            json.dump(doc, f, indent=2)
    return mutate


def _write_text(rel, text):
    def mutate(root):
        with open(os.path.join(root, rel), "w", encoding="utf-8") as f:
            f.write(text)
    return mutate


def _edit_manifest(fn):
    def mutate(root):
        p = os.path.join(root, "manifest.txt")
        lines = read_manifest(p)
        with open(p, "w", encoding="utf-8") as f:
            f.write("\n".join(fn(lines)) + "\n")
    return mutate


def _replace_png(rel, w, h, pixel, colour=6):
    def mutate(root):
        rows = []
        for y in range(h):
            rows.append(b"".join(pixel(x, y, w, h) for x in range(w)))
        write_png(os.path.join(root, rel), w, h, rows, colour)
    return mutate


def _disc(x, y, w, h):
    inside = (x - w / 2 + 0.5) ** 2 + (y - h / 2 + 0.5) ** 2 < (w / 2 - 2) ** 2
    return bytes((40, 40, 40, 255 if inside else 0))


def _both(*fns):
    def mutate(root):
        for f in fns:
            f(root)
    return mutate


def _rename_member(old, new):
    def mutate(root):
        os.rename(os.path.join(root, TOP, old), os.path.join(root, TOP, new))
    return mutate


def _swap_first_two(lines):
    return [lines[1], lines[0]] + lines[2:]


def _set(path, value):
    def fn(doc):
        node = doc
        for k in path[:-1]:
            node = node[k]
        node[path[-1]] = value
    return fn


def _drop(path):
    def fn(doc):
        node = doc
        for k in path[:-1]:
            node = node[k]
        del node[path[-1]]
    return fn


IMG = TOP + "image/"

# (description, mutation, expected text in a fault; None: must pass)
SELF_TESTS = [
    ("intact skin", lambda root: None, None),
    ("colour as JSON number", _edit_json(_set(["text_style", "text_color"], 4292925408)), None),
    ("colour without 0x", _edit_json(_set(["menu_style", "border_color"], "FF2C3340")), None),
    ("logo_x as hexadecimal text", _edit_json(_set(["logo_x"], "28")), None),
    ("skin.json not JSON", _write_text(TOP + "skin.json", '{"update_url": "https://x.y",}'), "does not parse"),
    ("skin.json with a BOM", _write_text(TOP + "skin.json", "\ufeff{}"), "byte order mark"),
    ("duplicate key", _write_text(TOP + "skin.json", '{"skin_name": "a", "skin_name": "b"}'), "duplicate key"),
    ("style missing", _edit_json(_drop(["menu_style"])), "menu_style must be an object"),
    ("style not an object", _edit_json(_set(["dialog_style"], "FF000000")), "dialog_style must be an object"),
    ("style key missing", _edit_json(_drop(["button_style", "text_color"])), "button_style.text_color missing"),
    ("style key not read", _edit_json(_set(["caption_style", "border_color"], "FF000000")),
     "caption_style.border_color is not read"),
    ("misspelt top key", _edit_json(_set(["pattern_image"], "image/texture.png")), "'pattern_image' is not read"),
    ("colour with six digits", _edit_json(_set(["status_style", "text_color"], "9AA5B4")), "8 hexadecimal digits"),
    ("colour not hexadecimal", _edit_json(_set(["menu_style", "text_color"], "FFGG0000")), "not hexadecimal"),
    ("colour as boolean", _edit_json(_set(["button_style", "border_color"], True)), "must be a text AARRGGBB"),
    ("battery colour as number", _edit_json(_set(["battery_color"], 4281584819)), "battery_color must be a text"),
    ("no caption_icon", _edit_json(_drop(["caption_icon"])), "reads no style"),
    ("skin_name not text", _edit_json(_set(["skin_name"], 3)), "skin_name must be a text"),
    ("update_url plain http", _edit_json(_set(["update_url"], "http://tessaro.app/update")), "update_url"),
    ("picture key as number", _edit_json(_set(["checked_image"], 1)), "checked_image must be a text"),
    ("translucent text", _edit_json(_set(["button_style", "text_color"], "0x80DCE2EA")), "must be opaque"),
    ("unreadable button text", _edit_json(_set(["button_style", "text_color"], "0xFF2A3039")), "contrast"),
    ("invisible close cross", _edit_json(_set(["button_hover_style", "foreground_color"], "0xFF2B3341")),
     "button_hover_style.foreground_color on background_color1 has contrast"),
    ("hover equals normal", _edit_json(lambda d: d.__setitem__("button_hover_style", dict(d["button_style"]))),
     "hovering would show nothing"),
    ("logo too low", _edit_json(_set(["logo_y"], 200)), "runs into the mouse picture"),
    ("logo too far right", _edit_json(_set(["logo_x"], 1200)), "runs into the button column"),
    ("logo_x out of layout", _edit_json(_set(["logo_x"], -5)), "outside the 2400-unit layout"),
    ("skin.json not first", _edit_manifest(_swap_first_two), "first member must be"),
    ("marker not listed", _edit_manifest(lambda ls: [l for l in ls if not l.endswith("/num7r.png")]),
     "image/num7r.png (required) is not in the manifest"),
    ("member listed twice", _edit_manifest(lambda ls: ls + [ls[3].upper().replace("SKIN_KORVANE", TOP[:-1])]),
     "listed twice"),
    ("listed member missing", _edit_manifest(lambda ls: ls + [IMG + "extra.png"]), "missing on disk"),
    ("member outside top folder", _edit_manifest(lambda ls: ls + ["image/num1.png"]), "not inside the top folder"),
    ("file not listed", _write_text(IMG + "stray.png", "x"), "stray.png is on disk but not listed"),
    ("shadowed by an earlier member", _both(
        _rename_member("image/checked.png", "image/check.png"),
        _edit_manifest(lambda ls: [l.replace("/checked.png", "/check.png") for l in ls]),
        _edit_json(_set(["checked_image"], "check.png"))),
     "resolves to skin_korvane/image/uncheck.png"),
    ("picture not a PNG", _write_text(IMG + "tiltr3.png", "GIF89a"), "not a PNG"),
    ("picture without alpha", _replace_png(IMG + "num4.png", 52, 52, lambda x, y, w, h: b"\x20\x20\x20", 2),
     "without an alpha channel"),
    ("marker with opaque corners", _replace_png(IMG + "num2r.png", 52, 52, lambda x, y, w, h: b"\x20\x20\x20\xff"),
     "corner is not transparent"),
    ("marker with empty centre", _replace_png(IMG + "tiltl1.png", 52, 52, lambda x, y, w, h: b"\0\0\0\0"),
     "centre is not opaque"),
    ("highlight of another size", _replace_png(IMG + "num9r.png", 60, 60, _disc), "markers differ in size"),
    ("marker too small", _replace_png(IMG + "num5.png", 32, 32, _disc), "below the 52 px marker square"),
    ("marker not square", _replace_png(IMG + "tiltr2r.png", 52, 48, _disc), "must be square"),
    ("check box not square", _replace_png(IMG + "uncheck.png", 64, 40, _disc), "must be square"),
    ("texture with holes", _replace_png(IMG + "texture.png", 32, 32, _disc), "texture must be opaque"),
    ("optional picture broken", _both(
        _write_text(IMG + "dir1.png", "not a picture"),
        _edit_manifest(lambda ls: ls + [IMG + "dir1.png"])), "image/dir1.png: not a PNG"),
]


def self_test(root):
    failed = 0
    for desc, mutate, expected in SELF_TESTS:
        tmp = tempfile.mkdtemp(prefix="check_skin_")
        try:
            copy = os.path.join(tmp, "skin")
            shutil.copytree(root, copy)
            mutate(copy)
            faults, _, _ = check(copy)
        finally:
            shutil.rmtree(tmp, ignore_errors=True)
        if expected is None:
            ok = not faults
            detail = "; ".join(faults)
        else:
            ok = any(expected in f for f in faults)
            detail = "expected %r, got: %s" % (expected, "; ".join(faults) or "no fault")
        if not ok:
            failed += 1
            print("FAIL %s: %s" % (desc, detail))
    print("self-test: %s" % ("failed" if failed else "all planted faults reported"))
    return 1 if failed else 0


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description="Check the skin package content.")
    ap.add_argument("--root", default=os.path.join(here, "..", "data", "skin"),
                    help="folder holding manifest.txt (default: data/skin)")
    ap.add_argument("--list", action="store_true", help="list the pictures with their sizes")
    ap.add_argument("--self-test", action="store_true", help="plant faults in copies and check they are found")
    args = ap.parse_args()
    root = os.path.normpath(args.root)
    if args.self_test:
        return self_test(root)
    faults, notes, pictures = check(root)
    if args.list:
        for m, (w, h) in pictures.items():
            print("%-40s %4d x %-4d" % (m, w, h))
    for n in notes:
        print("note: " + n)
    for f in faults:
        print("FAULT: " + f)
    print("check_skin: %s" % ("%d fault(s)" % len(faults) if faults else "ok"))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
