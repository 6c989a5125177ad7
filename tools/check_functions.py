#!/usr/bin/env python3
"""Check the function catalogue of Tessaro (the content of function.pkg).

Usage:
    check_functions.py [ROOT]      check the catalogue of the repository at
                                   ROOT (default: this script's repository)
    check_functions.py --self-test run the built-in table of broken
                                   catalogues against the checker

Exit status 0 when everything passes, 1 when there are faults (each printed
on its own line), 2 on a usage error.

Files read, relative to ROOT:
    data/function/function_tirro/function.json   the catalogue
    data/function/manifest.txt                    the package members
    data/function/function_tirro/image/*.png      the icons
    docs/ACTIONS.md                               the action types

What is checked:
  * function.json is UTF-8 without byte order mark or NUL byte, valid JSON
    without duplicate keys, and its root is a non-empty array of objects;
  * every element uses only the catalogue's keys, each of its JSON type:
    texts for "image_file" and "os", integers for the flags and
    "disable_mask", an object of texts for "function_name", an object with
    "type" (integer 0..255), "url" (text), "press" and "release" (arrays of
    at most 256 number texts, "0x.." or decimal, each 0..255) for
    "function_define";
  * every element has exactly one role (icon only, separator, folder end,
    folder, function) and only the keys that role uses;
  * every function and folder has a name in each of the ten languages, not
    empty, without surrounding blanks, at most 63 UTF-16 units; a name is
    unique within its language, unless two elements share their names in
    every language (the same function in two lists); this keeps the
    renaming of stored assignments after a language switch unambiguous;
  * every function, folder and icon-only element has an "image_file"; the
    first manifest member whose name ends with it (ignoring case, as the
    loader searches) is that very file and not another one whose name
    merely ends the same way; the file is a 64 x 64 RGBA PNG; the tray's
    "setting.png" and "quit.png" are there as icon-only elements;
  * the manifest starts with function_tirro/function.json, lists every
    member once, every member exists, every icon on disk is listed and every
    listed icon is used;
  * folders are balanced by "level_return", no folder sits at index 0 (its
    children would carry parent 0 and show at the top level) and no folder
    has "os" (skipping it would let its "level_return" close the enclosing
    folder);
  * every action type used is described in docs/ACTIONS.md, and each
    definition follows that type's byte layout there;
  * the catalogue has exactly one default (type 255), a custom key (type
    254), exactly one HID-only type 6 row per wheel direction (without "os"
    or "disable_mask", so the wheel pairing always finds its partner) and no
    other type 6 row in the HID list;
  * the menus as the program builds them (standard and HID list; before
    Windows 10, Windows 10, Windows 11; every marker's exclusion mask): no
    separator first, last or next to another one, no empty folder.
"""

import json
import os
import re
import struct
import sys
import zlib

LCIDS = ["1028", "1031", "1033", "1036", "1040", "1041", "1042", "1043",
         "2052", "3082"]

TEXT_KEYS = {"image_file", "os"}
FLAG_KEYS = {"hid_only", "hid_no", "mid_no", "image", "line", "folder",
             "level_return"}
INT_KEYS = FLAG_KEYS | {"disable_mask"}
ALLOWED_KEYS = TEXT_KEYS | INT_KEYS | {"function_name", "function_define"}
DEFINE_KEYS = {"type", "url", "press", "release"}

ROLE_KEYS = {
    "icon": {"image", "image_file"},
    "line": {"line"},
    "level_return": {"level_return"},
    "folder": {"folder", "function_name", "image_file", "hid_only", "hid_no",
               "mid_no", "disable_mask"},
    "function": {"function_name", "function_define", "image_file", "os",
                 "hid_only", "hid_no", "mid_no", "disable_mask"},
}

TRAY_ICONS = ["setting.png", "quit.png"]
CATALOGUE_MEMBER = "function_tirro/function.json"
IMAGE_DIR = "function_tirro/image/"
ICON_SIZE = 64
NAME_LIMIT = 63     # the name field of a stored assignment holds 64 units
URL_LIMIT = 255     # the url field holds 256 units
MARKERS = 14        # markers 0..13, exclusion mask 1 << i

NUMBER_TEXT = re.compile(r"^(0[xX][0-9a-fA-F]+|[0-9]+)$")


def utf16_len(text):
    return len(text.encode("utf-16-le")) // 2


def int_value(v):
    return isinstance(v, int) and not isinstance(v, bool)


# --- documents -------------------------------------------------------------

class DuplicateKey(ValueError):
    pass


def _no_duplicates(pairs):
    seen = {}
    for k, v in pairs:
        if k in seen:
            raise DuplicateKey("duplicate key %r" % k)
        seen[k] = v
    return seen


def parse_catalogue(raw, errors):
    """Returns the element list, or None after recording why not."""
    if raw.startswith(b"\xef\xbb\xbf"):
        errors.append("function.json: starts with a byte order mark")
        return None
    if b"\x00" in raw:
        errors.append("function.json: holds a NUL byte")
        return None
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError as e:
        errors.append("function.json: not UTF-8 (%s)" % e)
        return None

    def bad_constant(name):
        raise ValueError("%s is not JSON" % name)
    try:
        doc = json.loads(text, object_pairs_hook=_no_duplicates,
                         parse_constant=bad_constant)
    except DuplicateKey as e:
        errors.append("function.json: %s" % e)
        return None
    except ValueError as e:
        errors.append("function.json: not valid JSON (%s)" % e)
        return None
    if not isinstance(doc, list) or not doc:
        errors.append("function.json: the root must be a non-empty array")
        return None
    return doc


def parse_manifest(text):
    members = []
    for line in text.split("\n"):
        line = line.rstrip("\r ")
        if not line or line.startswith("#"):
            continue
        members.append(line)
    return members


def parse_action_types(markdown):
    """Types listed in the table of the "## Action types" section."""
    types = set()
    in_section = False
    for line in markdown.splitlines():
        if line.startswith("## "):
            in_section = line.strip() == "## Action types"
            continue
        if in_section and line.startswith("|"):
            cells = [c.strip() for c in line.strip().strip("|").split("|")]
            if cells and re.fullmatch(r"[0-9]+", cells[0]):
                types.add(int(cells[0]))
    return types


def png_info(data):
    """(width, height, colour type) of a PNG, or None."""
    if data is None or len(data) < 33 or data[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    length, kind = struct.unpack(">I4s", data[8:16])
    if kind != b"IHDR" or length != 13:
        return None
    width, height, _depth, colour = struct.unpack(">IIBB", data[16:26])
    return width, height, colour


# --- one element -------------------------------------------------------------

def number_text(v):
    if not isinstance(v, str) or not NUMBER_TEXT.match(v):
        return None
    return int(v, 16) if v[:2].lower() == "0x" else int(v)


def read_bytes(define, key, where, errors):
    """The 256-byte buffer the loader makes of "press" or "release"."""
    out = [0] * 256
    if key not in define:
        return out
    arr = define[key]
    if not isinstance(arr, list):
        errors.append("%s: \"%s\" must be an array of number texts" % (where, key))
        return out
    if len(arr) > 256:
        errors.append("%s: \"%s\" has more than 256 bytes" % (where, key))
    for i, v in enumerate(arr[:256]):
        n = number_text(v)
        if n is None:
            errors.append("%s: \"%s\"[%d] must be a number text such as \"0x11\" or \"17\", not %s"
                          % (where, key, i, json.dumps(v, ensure_ascii=False)))
        elif n > 255:
            errors.append("%s: \"%s\"[%d] = %s is outside 0..255" % (where, key, i, v))
        else:
            out[i] = n
    return out


def role_of(e):
    if e.get("image"):
        return "icon"
    if e.get("line"):
        return "line"
    if e.get("level_return"):
        return "level_return"
    if e.get("folder"):
        return "folder"
    if "function_define" in e:
        return "function"
    return None


def element_label(i, e):
    name = e.get("function_name")
    if isinstance(name, dict) and isinstance(name.get("1033"), str):
        return "element %d (%s)" % (i, name["1033"])
    return "element %d" % i


def check_element_types(where, e, errors):
    ok = True
    for k in e:
        if k not in ALLOWED_KEYS:
            errors.append("%s: unknown key \"%s\"" % (where, k))
            ok = False
    for k in TEXT_KEYS:
        if k in e and not isinstance(e[k], str):
            errors.append("%s: \"%s\" must be a text" % (where, k))
            ok = False
    for k in INT_KEYS:
        if k in e:
            if not int_value(e[k]) or not -2**31 <= e[k] < 2**31:
                errors.append("%s: \"%s\" must be a JSON integer" % (where, k))
                ok = False
            elif k in FLAG_KEYS and e[k] not in (0, 1):
                errors.append("%s: flag \"%s\" must be 0 or 1" % (where, k))
    if "os" in e and isinstance(e["os"], str) and e["os"] != "win11":
        errors.append("%s: \"os\" must be \"win11\" (other values do nothing)" % where)
    if "function_name" in e:
        names = e["function_name"]
        if not isinstance(names, dict) or not all(isinstance(v, str) for v in names.values()):
            errors.append("%s: \"function_name\" must be an object of texts" % where)
            ok = False
    if "function_define" in e:
        d = e["function_define"]
        if not isinstance(d, dict):
            errors.append("%s: \"function_define\" must be an object" % where)
            return False
        for k in d:
            if k not in DEFINE_KEYS:
                errors.append("%s: unknown key \"function_define.%s\"" % (where, k))
        if "type" not in d or not int_value(d["type"]) or not 0 <= d["type"] <= 255:
            errors.append("%s: \"function_define.type\" must be an integer 0..255" % where)
            ok = False
        if "url" in d and not isinstance(d["url"], str):
            errors.append("%s: \"function_define.url\" must be a text" % where)
            ok = False
    return ok


def key_list(buf):
    """Codes from index 1 up to the first 0; None when bytes follow a gap."""
    codes = []
    i = 1
    while i < 256 and buf[i] != 0:
        codes.append(buf[i])
        i += 1
    if any(buf[i:]):
        return None
    return codes


def used(buf):
    """Number of bytes up to the last non-zero one."""
    n = 256
    while n > 0 and buf[n - 1] == 0:
        n -= 1
    return n


def check_layout(where, t, p, r, url, errors):
    """The byte layout of each type in docs/ACTIONS.md."""
    def err(msg):
        errors.append("%s: type %d: %s" % (where, t, msg))

    def fixed_release():
        if used(r) != 0:
            err("the release bytes are not read for this type; write [\"0x00\"]")

    def tail_zero(after, what):
        if any(p[after:]):
            err("press bytes after %s must be 0" % what)

    if t not in (22, 255) and p[0] != 1:
        err("press byte 0 must be 1")
    if t != 9 and url:
        err("only type 9 takes a url")
    if t == 1:
        if p[1] > 4:
            err("press byte 1 (button) must be 0..4")
        if p[2] not in (0, 1, 2):
            err("press byte 2 (clicks) must be 0, 1 or 2")
        tail_zero(3, "byte 2")
        fixed_release()
    elif t in (2, 20):
        down, up = key_list(p), key_list(r)
        if r[0] != 0:
            err("release byte 0 must be 0")
        if down is None or up is None:
            err("a key list has a 0 byte between codes")
        elif not down:
            err("no key in the press bytes")
        elif len(set(down)) != len(down) or len(set(up)) != len(up):
            err("a key appears twice")
        elif set(down) != set(up):
            err("the release keys %s are not the press keys %s"
                % (sorted(up), sorted(down)))
    elif t in (3, 6, 7, 10):
        if t == 3 and p[1] == 0:
            err("press byte 1 (key code) is 0")
        if t in (6, 7) and p[1] not in (1, 255):
            err("press byte 1 (direction) must be 1 or 255")
        if t == 10 and not 1 <= p[1] <= 4:
            err("press byte 1 (gesture) must be 1..4")
        if p[2] not in (0, 1):
            err("press byte 2 (repeat) must be 0 or 1")
        tail_zero(3, "byte 2")
        fixed_release()
    elif t == 4:
        tail_zero(1, "byte 0")
        fixed_release()
    elif t == 8:
        if not 1 <= p[1] <= 5:
            err("press byte 1 (action) must be 1..5")
        tail_zero(2, "byte 1")
        fixed_release()
    elif t == 9:
        if not url:
            err("the url is empty")
        tail_zero(1, "byte 0")
        fixed_release()
    elif t == 22:
        if p[0] > 2:
            err("press byte 0 (button) must be 0..2")
        if p[1] != 12 or p[2] != 18:
            err("the program lists type 22 only with press bytes 1 and 2 = 12 and 18;"
                " this row would never be listed")
        tail_zero(3, "byte 2")
        fixed_release()
    elif t == 254:
        # The key capture keeps the bytes after the captured ones.
        if used(p) != 1 or used(r) != 0:
            err("press must be [\"0x01\"] and release [\"0x00\"]: the captured"
                " combination keeps every later byte of this row")
    elif t == 255:
        if used(p) or used(r):
            err("press and release must be empty")
    else:
        err("no layout rule in check_functions.py for this type")


# --- the whole catalogue ----------------------------------------------------

def suffix_match(members, suffix):
    """The first member whose name ends with suffix, ignoring case."""
    s = suffix.lower()
    for m in members:
        if m.lower().endswith(s):
            return m
    return None


def build_lists(elements, major, win11, errors=None):
    """The standard and HID rows as the program's loader makes them.

    Each row is (index, parent, kind, disable_mask); kind 0 item, 1 folder,
    2 separator."""
    standard, hid = [], []
    parent, stack = 0, []

    def place(e, row):
        if e.get("hid_only"):
            hid.append(row)
        else:
            standard.append(row)
            if not e.get("hid_no"):
                hid.append(row)

    for i, e in enumerate(elements):
        if not isinstance(e, dict):
            continue
        mask = e.get("disable_mask", 0) if int_value(e.get("disable_mask", 0)) else 0
        if e.get("os") == "win11" and not win11:
            continue
        if e.get("image"):
            continue
        if e.get("line"):
            standard.append((i, parent, 2, mask))
            hid.append((i, parent, 2, mask))
            continue
        if e.get("level_return"):
            parent = stack.pop() if stack else 0
            continue
        if e.get("function_name") is None:
            continue
        if e.get("folder"):
            place(e, (i, parent, 1, mask))
            stack.append(parent)
            parent = i
            continue
        d = e.get("function_define")
        if not isinstance(d, dict):
            continue
        t = d.get("type") if int_value(d.get("type")) else 0
        row = (i, parent, 0, mask)
        if t == 22:
            p = read_bytes(d, "press", "", [])
            if p[1] == 12 and p[2] == 18:
                place(e, row)
        elif t == 20:
            if major >= 10:
                standard.append(row)
        else:
            place(e, row)
    return standard, hid


SYSTEMS = [("before Windows 10", 6, False), ("Windows 10", 10, False),
           ("Windows 11", 10, True)]


def check_menus(elements, errors):
    reported = set()
    for system, major, win11 in SYSTEMS:
        lists = build_lists(elements, major, win11)
        for list_name, rows in zip(("standard list", "HID list"), lists):
            folders = [None] + [r for r in rows if r[2] == 1]
            for marker in [None] + list(range(MARKERS)):
                excl = 0 if marker is None else 1 << marker
                for folder in folders:
                    pid = 0 if folder is None else folder[0]
                    visible = [r for r in rows if r[1] == pid
                               and not (r[3] and (r[3] & excl))]
                    if folder is not None and folder[3] and (folder[3] & excl):
                        continue
                    where = "top level" if folder is None else element_label(pid, elements[pid])
                    context = "%s, %s%s" % (list_name, system,
                                            "" if marker is None else ", marker %d" % marker)
                    problems = []
                    if not any(r[2] != 2 for r in visible):
                        problems.append("is empty")
                    else:
                        if visible[0][2] == 2:
                            problems.append("starts with a separator")
                        if visible[-1][2] == 2:
                            problems.append("ends with a separator")
                        if any(a[2] == 2 and b[2] == 2 for a, b in zip(visible, visible[1:])):
                            problems.append("has two separators in a row")
                    for pr in problems:
                        key = (where, pr)
                        if key not in reported:
                            reported.add(key)
                            errors.append("menu: %s %s (%s)" % (where, pr, context))


def check_catalogue(elements, members, files, action_types):
    """All checks but the parsing. files maps a member to its bytes (None
    when missing); returns the list of faults."""
    errors = []

    # manifest
    if not members:
        errors.append("manifest: lists no member")
    elif members[0] != CATALOGUE_MEMBER:
        errors.append("manifest: the first member must be %s" % CATALOGUE_MEMBER)
    seen = set()
    for m in members:
        if m in seen:
            errors.append("manifest: %s is listed twice" % m)
        seen.add(m)
        if files.get(m) is None:
            errors.append("manifest: %s does not exist" % m)
    catalogues = [m for m in members
                  if m.rsplit("/", 1)[-1].lower() == "function.json"]
    if len(catalogues) > 1:
        errors.append("manifest: more than one member is named function.json")
    for m in sorted(files):
        if m.startswith(IMAGE_DIR) and m not in seen:
            errors.append("manifest: %s is not in the manifest" % m)

    # elements
    names_seen = {lcid: {} for lcid in LCIDS}
    used_icons = set()
    depth = 0
    defaults = 0
    customs = 0
    hid_wheel = {1: 0, 255: 0}
    for i, e in enumerate(elements):
        if not isinstance(e, dict):
            errors.append("element %d: must be an object" % i)
            continue
        where = element_label(i, e)
        if not check_element_types(where, e, errors):
            continue
        role = role_of(e)
        if role is None:
            errors.append("%s: makes no row (no folder, function_define, line,"
                          " level_return or image)" % where)
            continue
        extra = set(e) - ROLE_KEYS[role]
        if extra:
            errors.append("%s: keys %s do not belong to a %s element"
                          % (where, ", ".join(sorted(extra)), role.replace("_", " ")))
        if e.get("hid_only") and e.get("hid_no"):
            errors.append("%s: has both \"hid_only\" and \"hid_no\"" % where)

        # structure
        if role == "folder":
            if i == 0:
                errors.append("%s: a folder at index 0 would show its children"
                              " at the top level (parent 0)" % where)
            depth += 1
        elif role == "level_return":
            if depth == 0:
                errors.append("%s: \"level_return\" without an open folder" % where)
            else:
                depth -= 1

        # names
        if role in ("folder", "function"):
            names = e.get("function_name")
            if names is None:
                errors.append("%s: no \"function_name\"" % where)
            else:
                for lcid in LCIDS:
                    text = names.get(lcid)
                    if text is None:
                        errors.append("%s: missing a name for %s" % (where, lcid))
                    elif not text.strip():
                        errors.append("%s: the name for %s is empty" % (where, lcid))
                    elif text != text.strip() or any(ord(c) < 32 for c in text):
                        errors.append("%s: the name for %s has surrounding blanks or"
                                      " control characters" % (where, lcid))
                    elif utf16_len(text) > NAME_LIMIT:
                        errors.append("%s: the name for %s is longer than %d units"
                                      % (where, lcid, NAME_LIMIT))
                for lcid in names:
                    if lcid not in LCIDS:
                        errors.append("%s: a name for the unknown language %s" % (where, lcid))
                full = tuple(names.get(lcid) for lcid in LCIDS)
                for lcid in LCIDS:
                    text = names.get(lcid)
                    if not text:
                        continue
                    other = names_seen[lcid].get(text)
                    if other is not None and other[1] != full:
                        errors.append("%s: the %s name \"%s\" is also the name of %s,"
                                      " which is named differently in another language"
                                      % (where, lcid, text, element_label(other[0], elements[other[0]])))
                    elif other is None:
                        names_seen[lcid][text] = (i, full)

        # icon
        if role in ("icon", "folder", "function"):
            icon = e.get("image_file")
            if not icon:
                errors.append("%s: no \"image_file\"" % where)
            else:
                member = suffix_match(members, icon)
                if member is None:
                    errors.append("%s: icon \"%s\" is not in the manifest" % (where, icon))
                elif not (member.lower() == icon.lower()
                          or member.lower().endswith("/" + icon.lower())):
                    errors.append("%s: icon \"%s\" matches %s first, another file"
                                  % (where, icon, member))
                else:
                    used_icons.add(member)
                    info = png_info(files.get(member))
                    if info is None:
                        errors.append("%s: %s is not a PNG" % (where, member))
                    elif info != (ICON_SIZE, ICON_SIZE, 6):
                        errors.append("%s: %s must be a %d x %d RGBA PNG, is %d x %d"
                                      " colour type %d" % ((where, member, ICON_SIZE, ICON_SIZE)
                                                           + info))

        # folder with "os"
        if role == "folder" and "os" in e:
            errors.append("%s: a folder must not have \"os\"" % where)

        # definition
        if role == "function":
            d = e["function_define"]
            t = d["type"]
            p = read_bytes(d, "press", where, errors)
            r = read_bytes(d, "release", where, errors)
            url = d.get("url", "")
            if utf16_len(url) > URL_LIMIT:
                errors.append("%s: the url is longer than %d units" % (where, URL_LIMIT))
            if t not in action_types:
                errors.append("%s: type %d is not described in docs/ACTIONS.md" % (where, t))
            check_layout(where, t, p, r, url, errors)
            if t == 255:
                defaults += 1
            if t == 254:
                customs += 1
            if t == 6:
                if e.get("hid_only"):
                    if p[1] in hid_wheel:
                        hid_wheel[p[1]] += 1
                    if "os" in e or e.get("disable_mask"):
                        errors.append("%s: the HID-only wheel rows must be offered"
                                      " always (no \"os\", no \"disable_mask\")" % where)
                elif not e.get("hid_no"):
                    errors.append("%s: a type 6 row that is not HID-only needs \"hid_no\":"
                                  " in the HID list it would break the wheel pairing" % where)
            if t == 20 and e.get("hid_only"):
                errors.append("%s: type 20 rows are never in the HID list, so"
                              " \"hid_only\" hides it everywhere" % where)

    if depth > 0:
        errors.append("structure: %d folder(s) not closed by \"level_return\"" % depth)
    if defaults != 1:
        errors.append("catalogue: needs exactly one default function (type 255), has %d" % defaults)
    if customs < 1:
        errors.append("catalogue: has no custom key combination (type 254)")
    for direction, count in sorted(hid_wheel.items()):
        if count != 1:
            errors.append("catalogue: needs exactly one HID-only type 6 row with press"
                          " byte 1 = %d, has %d" % (direction, count))
    for tray in TRAY_ICONS:
        if not any(isinstance(e, dict) and e.get("image") and e.get("image_file") == tray
                   for e in elements):
            errors.append("catalogue: no icon-only element for the tray icon \"%s\"" % tray)
    for m in members:
        if m.startswith(IMAGE_DIR) and m not in used_icons:
            errors.append("manifest: %s is used by no element" % m)

    check_menus(elements, errors)
    return errors


# --- running on the repository ------------------------------------------------

def check_repository(root):
    errors = []
    base = os.path.join(root, "data", "function")
    cat_path = os.path.join(base, "function_tirro", "function.json")
    man_path = os.path.join(base, "manifest.txt")
    act_path = os.path.join(root, "docs", "ACTIONS.md")
    try:
        with open(cat_path, "rb") as f:
            raw = f.read()
    except OSError as e:
        return ["function.json: cannot read (%s)" % e]
    try:
        with open(man_path, encoding="utf-8") as f:
            members = parse_manifest(f.read())
    except OSError as e:
        return ["manifest: cannot read (%s)" % e]
    try:
        with open(act_path, encoding="utf-8") as f:
            action_types = parse_action_types(f.read())
    except OSError as e:
        return ["docs/ACTIONS.md: cannot read (%s)" % e]
    if not action_types:
        errors.append("docs/ACTIONS.md: no type table under \"## Action types\"")

    files = {}
    for m in members:
        path = os.path.join(base, *m.split("/"))
        try:
            with open(path, "rb") as f:
                files[m] = f.read()
        except OSError:
            files[m] = None
    image_dir = os.path.join(base, *IMAGE_DIR.rstrip("/").split("/"))
    if os.path.isdir(image_dir):
        for name in os.listdir(image_dir):
            m = IMAGE_DIR + name
            if m not in files:
                with open(os.path.join(image_dir, name), "rb") as f:
                    files[m] = f.read()

    elements = parse_catalogue(raw, errors)
    if elements is None:
        return errors
    return errors + check_catalogue(elements, members, files, action_types)


# --- self-test ------------------------------------------------------------------

def _png(width, height, colour=6):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    ihdr = struct.pack(">IIBBBBB", width, height, 8, colour, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IEND", b"")


def _names(en):
    return {lcid: "%s %s" % (en, lcid) for lcid in LCIDS}


def _fn(en, icon, t, press, release, url="", **extra):
    e = {"function_name": _names(en), "image_file": "image/%s.png" % icon}
    e.update(extra)
    e["function_define"] = {"type": t, "url": url, "press": press, "release": release}
    return e


def _base():
    """A small catalogue that passes every check."""
    elements = [
        {"image_file": "setting.png", "image": 1},
        {"image_file": "quit.png", "image": 1},
        _fn("Default", "default", 255, [], []),
        _fn("Custom key", "custom", 254, ["0x01"], ["0x00"]),
        {"line": 1},
        {"function_name": _names("Mouse"), "image_file": "image/mouse.png", "folder": 1},
        _fn("Left click", "left", 1, ["0x01", "0x00", "0x00"], ["0x00"], disable_mask=1),
        _fn("Copy", "copy", 2, ["0x01", "0x11", "0x43"], ["0x00", "0x43", "0x11"]),
        {"line": 1},
        _fn("Scroll up", "up", 6, ["0x01", "0x01", "0x01"], ["0x00"], hid_no=1),
        _fn("Scroll down", "down", 6, ["0x01", "0xff", "0x01"], ["0x00"], hid_no=1),
        _fn("Scroll up", "up", 6, ["0x01", "0x01", "0x00"], ["0x00"], hid_only=1),
        _fn("Scroll down", "down", 6, ["0x01", "0xff", "0x00"], ["0x00"], hid_only=1),
        {"level_return": 1},
    ]
    icons = ["setting", "quit", "default", "custom", "mouse", "left", "copy", "up", "down"]
    members = [CATALOGUE_MEMBER] + [IMAGE_DIR + n + ".png" for n in icons]
    files = {m: _png(64, 64) for m in members}
    files[CATALOGUE_MEMBER] = b"[]"
    return elements, members, files


ACTIONS_MD = """# Actions
## Action types
| Type | Name |
|---|---|
| 1 | Mouse button |
| 2 | Key combination |
| 6 | Vertical wheel |
| 20 | Shell key combination |
| 22 | Rapid fire |
| 254 | Custom key |
| 255 | Default |
## Catalogue rows by type
| 9 | Open web page |
"""


def _index(elements, en):
    for i, e in enumerate(elements):
        if e.get("function_name", {}).get("1033") == "%s 1033" % en:
            return i
    raise KeyError(en)


def _set(en, key, value):
    def mutate(elements, members, files):
        elements[_index(elements, en)][key] = value
    return mutate


def _define(en, key, value):
    def mutate(elements, members, files):
        elements[_index(elements, en)]["function_define"][key] = value
    return mutate


def _insert(pos, element):
    def mutate(elements, members, files):
        elements.insert(pos, element)
    return mutate


def _delete(pos):
    def mutate(elements, members, files):
        del elements[pos]
    return mutate


def _seq(*mutations):
    def mutate(elements, members, files):
        for m in mutations:
            m(elements, members, files)
    return mutate


def _name(en, lcid, text):
    def mutate(elements, members, files):
        names = elements[_index(elements, en)]["function_name"]
        if text is None:
            del names[lcid]
        else:
            names[lcid] = text
    return mutate


def _members(fn):
    def mutate(elements, members, files):
        fn(members, files)
    return mutate


# (description, mutation of the base catalogue, text expected in a fault)
SELF_TESTS = [
    ("unknown key", _set("Copy", "hidonly", 1), "unknown key \"hidonly\""),
    ("flag as a text", _set("Copy", "hid_no", "1"), "\"hid_no\" must be a JSON integer"),
    ("flag as a boolean", _set("Copy", "hid_no", True), "\"hid_no\" must be a JSON integer"),
    ("flag other than 0/1", _set("Copy", "hid_no", 2), "must be 0 or 1"),
    ("os other than win11", _set("Copy", "os", "win10"), "\"os\" must be \"win11\""),
    ("name is not an object", _set("Copy", "function_name", "Copy"),
     "\"function_name\" must be an object of texts"),
    ("missing language", _name("Copy", "1041", None), "missing a name for 1041"),
    ("empty name", _name("Copy", "1031", "  "), "the name for 1031 is empty"),
    ("name with blanks", _name("Copy", "1031", "Kopieren "), "surrounding blanks"),
    ("name too long", _name("Copy", "1036", "x" * 64), "longer than 63"),
    ("unknown language", _name("Copy", "1049", "Копировать"), "unknown language 1049"),
    ("same name, different elsewhere", _name("Copy", "1031", "Left click 1031"),
     "is also the name of"),
    ("type missing", _define("Copy", "type", None), "\"function_define.type\" must be an integer"),
    ("type out of range", _define("Copy", "type", 300), "must be an integer 0..255"),
    ("byte as a number", _define("Copy", "press", [1, 17, 67]), "must be a number text"),
    ("byte out of range", _define("Copy", "press", ["0x01", "0x111", "0x43"]), "outside 0..255"),
    ("press not an array", _define("Copy", "press", "0x01"), "must be an array"),
    ("unknown define key", _define("Copy", "argument", ""), "unknown key \"function_define.argument\""),
    ("type not documented", _define("Left click", "type", 3), "type 3 is not described"),
    ("release misses a key", _define("Copy", "release", ["0x00", "0x43"]), "release keys"),
    ("key list with a gap", _define("Copy", "press", ["0x01", "0x11", "0x00", "0x43"]),
     "0 byte between codes"),
    ("mouse button out of range", _define("Left click", "press", ["0x01", "0x07", "0x00"]),
     "(button) must be 0..4"),
    ("release bytes on a type that ignores them",
     _define("Left click", "release", ["0x00", "0x00", "0x01"]), "not read for this type"),
    ("url on a key combination", _define("Copy", "url", "https://example.org/"),
     "only type 9 takes a url"),
    ("custom key with leftover bytes", _define("Custom key", "press", ["0x01", "0x00", "0x41"]),
     "keeps every later byte"),
    ("two defaults", _insert(3, _fn("Default2", "default", 255, [], [])), "exactly one default"),
    ("no custom key", _delete(3), "no custom key combination"),
    ("wheel row missing", _delete(12), "press byte 1 = 255, has 0"),
    ("plain wheel row in the HID list", _set("Scroll down", "hid_no", 0), "needs \"hid_no\""),
    ("wheel row with os", _seq(_delete(12), _insert(12, _fn(
        "Scroll down", "down", 6, ["0x01", "0xff", "0x00"], ["0x00"], hid_only=1, os="win11"))),
     "must be offered always"),
    ("hid_only and hid_no", _set("Scroll up", "hid_only", 1), "both \"hid_only\" and \"hid_no\""),
    ("type 22 never listed", _insert(8, _fn("Rapid fire", "left", 22,
                                            ["0x00", "0x0c", "0x11"], ["0x00"])), "never be listed"),
    ("type 20 hidden everywhere", _insert(8, _fn("Task view", "copy", 20,
                                                 ["0x01", "0x5b", "0x09"], ["0x00", "0x09", "0x5b"],
                                                 hid_only=1)), "hides it everywhere"),
    ("level_return without folder", _insert(2, {"level_return": 1}), "without an open folder"),
    ("folder not closed", _delete(13), "not closed"),
    ("folder at index 0", _seq(_insert(0, {"function_name": _names("Top"),
                                           "image_file": "image/mouse.png", "folder": 1}),
                               _insert(1, {"level_return": 1})),
     "a folder at index 0"),
    ("folder with os", _set("Mouse", "os", "win11"), "a folder must not have \"os\""),
    ("element with no role", _insert(4, {"function_name": _names("Nothing")}), "makes no row"),
    ("keys of another role", _insert(4, {"line": 1, "function_name": _names("Line")}),
     "do not belong to a line element"),
    ("no icon", _set("Copy", "image_file", ""), "no \"image_file\""),
    ("icon not listed", _set("Copy", "image_file", "image/paste.png"), "is not in the manifest"),
    ("icon shadowed by a longer name", _seq(_set("Copy", "image_file", "copy.png"), _members(
        lambda m, f: (m.insert(1, IMAGE_DIR + "xcopy.png"), f.__setitem__(IMAGE_DIR + "xcopy.png", _png(64, 64))))),
     "matches function_tirro/image/xcopy.png first"),
    ("icon of the wrong size", _members(lambda m, f: f.__setitem__(IMAGE_DIR + "copy.png", _png(32, 32))),
     "must be a 64 x 64 RGBA PNG"),
    ("icon without alpha", _members(lambda m, f: f.__setitem__(IMAGE_DIR + "copy.png", _png(64, 64, 2))),
     "colour type 2"),
    ("icon not a PNG", _members(lambda m, f: f.__setitem__(IMAGE_DIR + "copy.png", b"GIF89a" + b"\0" * 40)),
     "is not a PNG"),
    ("tray icon missing", _delete(1), "tray icon \"quit.png\""),
    ("manifest order", _members(lambda m, f: m.append(m.pop(0))), "first member must be"),
    ("manifest duplicate", _members(lambda m, f: m.append(IMAGE_DIR + "copy.png")), "listed twice"),
    ("manifest member missing", _members(lambda m, f: f.__setitem__(IMAGE_DIR + "copy.png", None)),
     "does not exist"),
    ("icon on disk not listed", _members(lambda m, f: f.__setitem__(IMAGE_DIR + "stray.png", _png(64, 64))),
     "stray.png is not in the manifest"),
    ("listed icon unused", _members(lambda m, f: (m.append(IMAGE_DIR + "spare.png"),
                                                  f.__setitem__(IMAGE_DIR + "spare.png", _png(64, 64)))),
     "spare.png is used by no element"),
    ("second function.json", _members(lambda m, f: (m.append("function_tirro/old/Function.json"),
                                                    f.__setitem__("function_tirro/old/Function.json", b"[]"))),
     "more than one member is named function.json"),
    ("two separators in a row", _insert(8, {"line": 1}), "two separators in a row"),
    ("separator first in a folder", _insert(6, {"line": 1}), "starts with a separator"),
    ("separator first in the HID list", _seq(_set("Left click", "hid_no", 1), _set("Copy", "hid_no", 1)),
     "starts with a separator (HID list"),
    ("separator last without the Windows 11 rows", _seq(
        _insert(13, {"line": 1}),
        _insert(14, _fn("Swipe", "left", 1, ["0x01", "0x00", "0x01"], ["0x00"], os="win11"))),
     "ends with a separator"),
    ("folder empty for a marker", _seq(
        _insert(14, {"function_name": _names("Clicks"), "image_file": "image/mouse.png", "folder": 1}),
        _insert(15, _fn("Primary", "left", 1, ["0x01", "0x00", "0x00"], ["0x00"], disable_mask=1)),
        _insert(16, {"level_return": 1})),
     "is empty (standard list, before Windows 10, marker 0)"),
]


def self_test():
    failures = 0
    elements, members, files = _base()
    base_errors = check_catalogue(elements, members, files, parse_action_types(ACTIONS_MD))
    if base_errors:
        failures += 1
        print("self-test: the base catalogue fails:")
        for e in base_errors:
            print("  " + e)

    parse_cases = [
        (b"[", "not valid JSON"),
        (b'[{"line": 1, "line": 1}]', "duplicate key"),
        (b'{"line": 1}', "root must be a non-empty array"),
        (b"[]", "root must be a non-empty array"),
        (b"\xef\xbb\xbf[{}]", "byte order mark"),
        (b'[{"line": 1}]\x00', "NUL byte"),
        (b'["\xff"]', "not UTF-8"),
        (b"[NaN]", "not valid JSON"),
    ]
    for raw, expected in parse_cases:
        errors = []
        parse_catalogue(raw, errors)
        if not any(expected in e for e in errors):
            failures += 1
            print("self-test: parsing %r: expected a fault with %r, got %r" % (raw, expected, errors))

    manifest = parse_manifest("# comment\r\n\nfunction_tirro/function.json  \r\n#x\nfunction_tirro/image/a.png\n")
    if manifest != ["function_tirro/function.json", "function_tirro/image/a.png"]:
        failures += 1
        print("self-test: manifest parsing gave %r" % manifest)
    if parse_action_types(ACTIONS_MD) != {1, 2, 6, 20, 22, 254, 255}:
        failures += 1
        print("self-test: type table parsing gave %r" % sorted(parse_action_types(ACTIONS_MD)))

    for description, mutate, expected in SELF_TESTS:
        elements, members, files = _base()
        mutate(elements, members, files)
        errors = check_catalogue(elements, members, files, parse_action_types(ACTIONS_MD))
        if not any(expected in e for e in errors):
            failures += 1
            print("self-test: %s: expected a fault with %r, got:" % (description, expected))
            for e in errors or ["(no fault)"]:
                print("  " + e)
    if failures:
        print("self-test: %d failure(s)" % failures)
        return 1
    print("self-test: all cases behave")
    return 0


def main(argv):
    if len(argv) > 2:
        print(__doc__.strip().split("\n\n")[1])
        return 2
    if len(argv) == 2 and argv[1] == "--self-test":
        return self_test()
    if len(argv) == 2 and argv[1].startswith("-"):
        print(__doc__.strip().split("\n\n")[1])
        return 2
    root = argv[1] if len(argv) == 2 else os.path.dirname(
        os.path.dirname(os.path.abspath(__file__)))
    errors = check_repository(root)
    for e in errors:
        print(e)
    if errors:
        return 1
    print("function catalogue: ok")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
