#!/usr/bin/env python3
"""Check the model package sources and the driver simulation scenarios.

Usage:
    check_models.py                 run the self-test, then check the data
                                    of the repository this script lives in
    check_models.py --data [ROOT]   check only the data under ROOT (default:
                                    the repository of this script)
    check_models.py --self-test     only run the built-in table of broken
                                    packages against the checker

Exit status 0 when everything passes, 1 when there are faults (each printed
on its own line), 2 on a usage error.  Needs python3 and ImageMagick's
`identify` (picture sizes and pixels).

What is checked, under ROOT/data:
  * model/manifest.txt lists every file of model/ (but itself) exactly once,
    paths relative to model/, "#" comments and blank lines ignored; every
    folder's model.json comes first, then each folder's one picture in the
    same folder order (the documents lie together); folders come as
    NN_PPPP followed directly by NN_PPPPBT (an _ALT pair likewise), running
    numbers ascend, and model_korvane/ver.json is the last member;
  * every model.json parses (UTF-8, no duplicate keys) and has the keys the
    catalogue reads with the JSON types it accepts: texts, integers or
    integer texts ("0x" hexadecimal or decimal), arrays of objects, byte
    arrays written as texts; the limits of the catalogue record hold
    (12 buttons, 2 tilt entries, 10 HID entries, 127-byte picture name,
    63-character HID function names);
  * caption and function keys ("str", "function") exist in every section of
    data/language.json; marker codes ("image") are "l" or "r" and a skin
    picture number 1..5; direction indices are 0..10; tilt picture numbers
    0..5; "one_time" is 0 or 1;
  * the button mask has an entry in "button_pos" for every set bit; a tilt
    model has two "tilt_pos" entries and a model without tilt none;
  * the picture is the folder's NN_PPPP.png, is the first package member
    whose name ends with that name, is a transparent PNG 800..1000 pixels
    on its long side and under 150 KB, the copy in the Bluetooth folder is
    the same file, and its drawing source data/art/model/NN_PPPP.svg exists;
  * every marker square (52 pixels) lies inside the picture, its centre on
    an opaque pixel of the drawing, and the markers the window draws for a
    model do not cover each other;
  * "exclude" values are 0 or an action type of docs/ACTIONS.md;
  * HID entries: codes 1..255, down codes distinct; default functions use
    an action type the HID list offers, with the byte layout of
    docs/ACTIONS.md (phase byte 1; type 2 press 1, Ctrl/Shift/Alt/Win in
    that order, key, release 0, key, the same modifiers; fixed releases
    written as [0x00]; wheel direction 1 or 255 ...), and a name in each of
    the ten languages; wheel
    codes 0xFA and 0xFC are entries 0 and 1 of a model without tilt, report
    the same code on release, and default to opposite wheel directions;
  * names are unique, Bluetooth folders (…BT, …BT_ALT) and only they carry
    "(BT)", and "(BT)"/"(RF)" follow a name of at least three characters;
  * device identities (type, USB vendor and product id, model id, vendor
    code; a type 2 model with USB ids also as its second entry with USB ids
    0) are unique, except between a model and its _ALT edition; model id
    and vendor code are 0..255, since a device reports them as bytes;
  * settings identities (model id, pid, vendor code, USB ids, what stored
    assignments and HID defaults are keyed by) are unique in the same way;
  * model_korvane/ver.json is an object with a "ver" text;
  * every device of every data/scenarios/*.json matches a model by the four
    rules of device matching (active unit, type, USB ids, model id and
    vendor code).
"""

import json
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

TOP = "model_korvane"
MARKER = 52
MAX_PNG_BYTES = 150 * 1024
LCIDS = ["1028", "1031", "1033", "1036", "1040", "1041", "1042", "1043", "2052", "3082"]
MODIFIERS = [17, 16, 18, 91]            # Ctrl, Shift, Alt, Win, in stored order
# Action types of docs/ACTIONS.md; a HID default may use those the HID list
# offers and that need no text argument (not 9, 20, 254, 255).
ACTION_TYPES = {1, 2, 3, 4, 6, 7, 8, 9, 10, 20, 22, 254, 255}
DEFAULT_TYPES = {1, 2, 3, 4, 6, 7, 8, 10, 22}
WHEEL_CODES = (0xFA, 0xFC)
FOLDER_RE = re.compile(r"^(\d\d)_(\d{4})(BT)?(_ALT)?$")


class Fault(Exception):
    pass


# ---------------------------------------------------------------- readers

def _no_duplicates(pairs):
    seen = {}
    for k, v in pairs:
        if k in seen:
            raise Fault("duplicate key %r" % k)
        seen[k] = v
    return seen


def load_json(path):
    with open(path, "rb") as f:
        raw = f.read()
    if raw.startswith(b"\xef\xbb\xbf"):
        raise Fault("starts with a byte order mark")
    if b"\x00" in raw:
        raise Fault("holds a zero byte")
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError as e:
        raise Fault("not UTF-8: %s" % e)
    try:
        return json.loads(text, object_pairs_hook=_no_duplicates)
    except ValueError as e:
        raise Fault("not valid JSON: %s" % e)


def as_int(value, what):
    """The integer reader of the catalogue, strict: JSON integers, or texts
    holding a "0x" hexadecimal or a decimal number and nothing else."""
    if isinstance(value, bool) or value is None:
        raise Fault("%s: must be a number or number text, is %s" % (what, json.dumps(value)))
    if isinstance(value, int):
        return value
    if isinstance(value, float):
        raise Fault("%s: %r has a fraction part" % (what, value))
    if isinstance(value, str):
        t = value.rstrip(" ")
        if re.fullmatch(r"0[xX][0-9a-fA-F]{1,8}", t):
            return int(t[2:], 16)
        if re.fullmatch(r"-?[0-9]{1,10}", t):
            return int(t)
        raise Fault("%s: %r is not a number text" % (what, value))
    raise Fault("%s: must be a number or number text, is %s" % (what, type(value).__name__))


def as_text(value, what):
    if not isinstance(value, str):
        raise Fault("%s: must be a text" % what)
    return value


def get_int(obj, key, what, lo=None, hi=None, required=False):
    if key not in obj:
        if required:
            raise Fault("%s: %r missing" % (what, key))
        return 0
    v = as_int(obj[key], "%s %r" % (what, key))
    if lo is not None and not lo <= v <= hi:
        raise Fault("%s %r: %d outside %d..%d" % (what, key, v, lo, hi))
    return v


def get_text(obj, key, what, required=False):
    if key not in obj:
        if required:
            raise Fault("%s: %r missing" % (what, key))
        return ""
    return as_text(obj[key], "%s %r" % (what, key))


def get_bytes(obj, key, what):
    v = obj.get(key)
    if not isinstance(v, list):
        raise Fault("%s %r: must be an array of number texts" % (what, key))
    if len(v) > 256:
        raise Fault("%s %r: more than 256 bytes" % (what, key))
    out = []
    for i, e in enumerate(v):
        if not isinstance(e, str):
            raise Fault("%s %r[%d]: must be a text such as \"0x11\", is %s"
                        % (what, key, i, json.dumps(e)))
        b = as_int(e, "%s %r[%d]" % (what, key, i))
        if not 0 <= b <= 255:
            raise Fault("%s %r[%d]: %d is not a byte" % (what, key, i, b))
        out.append(b)
    return out


def objects(doc, key, what, limit):
    if key not in doc:
        return []
    v = doc[key]
    if not isinstance(v, list) or not all(isinstance(e, dict) for e in v):
        raise Fault("%s: %r must be an array of objects" % (what, key))
    if len(v) > limit:
        raise Fault("%s: %r has %d entries, at most %d are read" % (what, key, len(v), limit))
    return v


# ---------------------------------------------------------------- pictures

def picture_info(path, points):
    """(width, height, [alpha at each point], alpha at the corner) via identify."""
    fx = "".join(" %%[fx:p{%d,%d}.a]" % (x, y) for x, y in points)
    fmt = "%m %w %h %[fx:p{0,0}.a]" + fx
    try:
        out = subprocess.run(["identify", "-format", fmt, path], capture_output=True,
                             text=True, check=True).stdout.split()
    except FileNotFoundError:
        raise Fault("ImageMagick's identify is not installed")
    except subprocess.CalledProcessError as e:
        raise Fault("identify failed: %s" % e.stderr.strip())
    if out[0] != "PNG":
        raise Fault("is %s, not PNG" % out[0])
    return int(out[1]), int(out[2]), [float(a) for a in out[4:]], float(out[3])


# ---------------------------------------------------------------- model.json

class Model:
    """What the checker keeps of one model.json."""

    def __init__(self, folder, doc):
        self.folder = folder
        self.doc = doc


def exclude_type(value, where, faults):
    if value and value not in ACTION_TYPES:
        faults.append("%s: exclude %d is no action type" % (where, value))


def action_layout(ftype, press, release):
    """What is wrong with the bytes of a default function, or None."""
    p = press + [0] * 4
    if ftype == 22:
        if p[0] > 2:
            return "press[0] must be the button 0..2"
        return None if release in ([], [0]) else "release must be [0x00]"
    if not press or press[0] != 1:
        return "press[0] must be the phase byte 1"
    if ftype == 2:
        mods = press[1:-1]
        key = press[-1] if len(press) >= 2 else 0
        if (key == 0 or key in MODIFIERS or any(m not in MODIFIERS for m in mods)
                or mods != [m for m in MODIFIERS if m in mods]):
            return "press must be 1, modifiers in the order Ctrl Shift Alt Win, then the key"
        if release != [0, key] + mods:
            return "release must be 0, the key, then the same modifiers"
        return None
    if release not in ([], [0]):
        return "release must be [0x00]: the release of this type is fixed"
    if ftype == 1 and not (p[1] <= 4 and p[2] <= 2):
        return "press must name button 0..4 and mode 0..2"
    if ftype == 3 and not (p[1] and p[2] in (0, 1)):
        return "press must name a key and repeat 0 or 1"
    if ftype in (6, 7) and not (p[1] in (1, 255) and p[2] in (0, 1)):
        return "press[1] must be 1 or 255 and press[2] the repeat 0 or 1"
    if ftype == 8 and not 1 <= p[1] <= 5:
        return "press[1] must be a system action 1..5"
    if ftype == 10 and not (1 <= p[1] <= 4 and p[2] in (0, 1)):
        return "press[1] must be a gesture 1..4"
    return None


def check_model(doc, where, lang_keys):
    """Checks one parsed model.json; returns a dict of what later checks need."""
    if not isinstance(doc, dict):
        raise Fault("%s: root must be an object" % where)
    name = get_text(doc, "model_name", where, required=True)
    if not name.strip():
        raise Fault("%s: empty model_name" % where)
    image = get_text(doc, "model_image", where, required=True)
    if not image.isascii() or len(image.encode()) > 127:
        raise Fault("%s: model_image must be ASCII of at most 127 bytes" % where)
    md = doc.get("model_define")
    if not isinstance(md, dict):
        raise Fault("%s: model_define missing or not an object" % where)
    d = {k: get_int(md, k, where + " model_define", required=True)
         for k in ("model_id", "button", "usb_vid", "usb_pid", "pid", "vid", "type",
                   "tilt", "tilt_mask_l", "tilt_mask_r", "swap45")}
    faults = []

    def lang(key, what):
        if key and key not in lang_keys:
            faults.append("%s: %s %r is not a key of the language table" % (where, what, key))

    for k in ("model_id", "vid"):
        if not 0 <= d[k] <= 255:
            faults.append("%s: model_define %r %d must be 0..255: the device reports it "
                          "as one byte" % (where, k, d[k]))
    for k in ("pid", "usb_vid", "usb_pid"):
        if not 0 <= d[k] <= 0xFFFF:
            faults.append("%s: model_define %r 0x%x is not a 16-bit id" % (where, k, d[k]))
    if not 0 <= d["type"] <= 255:
        faults.append("%s: type %d does not fit the driver's one-byte kind" % (where, d["type"]))
    mask = d["button"]
    if mask & ~0xFFF or mask & 0x1 == 0 and mask:
        faults.append("%s: button mask 0x%x: only bits 0..11 exist and bit 0 is the "
                      "primary button" % (where, mask))

    buttons = objects(doc, "button_pos", where, 12)
    bpos = []
    for i, e in enumerate(buttons):
        w = "%s button_pos[%d]" % (where, i)
        x, y = get_int(e, "x", w, required=True), get_int(e, "y", w, required=True)
        bpos.append((x, y))
        img = get_text(e, "image", w)
        if img and not re.fullmatch(r"[lr][1-5].*", img):
            faults.append("%s: image %r must be l or r and a tilt picture 1..5" % (w, img))
        numstr = get_text(e, "numStr", w)
        if len(numstr) > 8:
            faults.append("%s: numStr %r too long for a marker label" % (w, numstr))
        if get_int(e, "one_time", w) not in (0, 1):
            faults.append("%s: one_time must be 0 or 1" % w)
        lang(get_text(e, "str", w), w + " str")
        lang(get_text(e, "function", w), w + " function")
        get_int(e, "image_over", w, 0, 10)
        exclude_type(get_int(e, "exclude", w), w, faults)
    for i in range(12):
        if mask >> i & 1 and i >= len(bpos):
            faults.append("%s: button bit %d is set but button_pos has no entry %d"
                          % (where, i, i))

    tilts = objects(doc, "tilt_pos", where, 2)
    tpos = []
    for j, e in enumerate(tilts):
        w = "%s tilt_pos[%d]" % (where, j)
        tpos.append((get_int(e, "x", w, required=True), get_int(e, "y", w, required=True)))
        get_int(e, "image_over", w, 0, 10)
        exclude_type(get_int(e, "exclude", w), w, faults)
        lang(get_text(e, "str", w), w + " str")
        lang(get_text(e, "function", w), w + " function")
        get_text(e, "numStr", w)
    tilt_image = get_int(doc, "tilt_image_pos", where, 0, 5)
    if d["tilt"] > 0 and len(tpos) != 2:
        faults.append("%s: a tilt model needs two tilt_pos entries" % where)
    if d["tilt"] <= 0 and (tpos or tilt_image):
        faults.append("%s: tilt_pos / tilt_image_pos on a model without tilt are never "
                      "shown" % where)

    hids = objects(doc, "hid_num", where, 10)
    hpos, downs = [], []
    wheel_dirs = {}
    for k, e in enumerate(hids):
        w = "%s hid_num[%d]" % (where, k)
        down = get_int(e, "down", w, 1, 255, required=True)
        up = get_int(e, "up", w, 1, 255, required=True)
        if down in downs:
            faults.append("%s: down code 0x%02x repeats an earlier entry" % (w, down))
        downs.append(down)
        if k < 4:
            hpos.append((get_int(e, "x", w, required=True), get_int(e, "y", w, required=True)))
        elif "x" in e or "y" in e:
            faults.append("%s: only the first 4 HID entries have positions" % w)
        fd = e.get("function_define")
        if fd is not None:
            if not isinstance(fd, dict):
                raise Fault("%s: function_define must be an object" % w)
            ftype = get_int(fd, "type", w + " function_define", 0, 255, required=True)
            press = get_bytes(fd, "press", w + " function_define")
            release = get_bytes(fd, "release", w + " function_define")
            if ftype not in DEFAULT_TYPES:
                faults.append("%s: default action type %d is not one of %s"
                              % (w, ftype, sorted(DEFAULT_TYPES)))
            else:
                problem = action_layout(ftype, press, release)
                if problem:
                    faults.append("%s: type %d %s" % (w, ftype, problem))
                elif ftype == 6:
                    wheel_dirs[down] = press[1]
            names = e.get("function_name")
            if not isinstance(names, dict):
                faults.append("%s: function_name must be an object keyed by language id" % w)
            else:
                for lcid in LCIDS:
                    t = names.get(lcid)
                    if not isinstance(t, str) or not t.strip():
                        faults.append("%s: function_name has no text for %s" % (w, lcid))
                    elif len(t) > 63:
                        faults.append("%s: function_name %s longer than 63 characters"
                                      % (w, lcid))
                for extra in sorted(set(names) - set(LCIDS)):
                    faults.append("%s: function_name key %r is no language id" % (w, extra))
        elif "function_name" in e:
            faults.append("%s: function_name without function_define" % w)
        if down in WHEEL_CODES or up in WHEEL_CODES:
            if up != down:
                faults.append("%s: wheel code entry must report the same code on release" % w)
            if k != WHEEL_CODES.index(down if down in WHEEL_CODES else up):
                faults.append("%s: wheel code 0x%02x must be HID entry %d (the menu pairs "
                              "0xFA with the marker after it)"
                              % (w, down, WHEEL_CODES.index(down if down in WHEEL_CODES else up)))
            if d["tilt"] > 0:
                faults.append("%s: wheel codes on a tilt model have no marker" % w)
    present = [c for c in WHEEL_CODES if c in downs]
    if len(present) == 1:
        faults.append("%s: wheel code 0x%02x without its partner" % (where, present[0]))
    if 0xFA in wheel_dirs and 0xFC in wheel_dirs and wheel_dirs[0xFA] == wheel_dirs[0xFC]:
        faults.append("%s: the two wheel codes default to the same direction" % where)

    for tag in ("(BT)", "(RF)"):
        at = name.find(tag)
        if 0 <= at < 3:
            faults.append("%s: %s must follow a name of at least three characters" % (where, tag))

    # markers the window draws, in drawing order
    drawn = [("button %d" % i, p) for i, p in enumerate(bpos) if i > 0 and mask >> i & 1]
    if d["tilt"] > 0:
        drawn += [("tilt %d" % j, p) for j, p in enumerate(tpos)]
    else:
        drawn += [("hid %d" % k, p) for k, p in enumerate(hpos[:2])]
    every = [("button %d" % i, p) for i, p in enumerate(bpos)]
    every += [("tilt %d" % j, p) for j, p in enumerate(tpos)]
    every += [("hid %d" % k, p) for k, p in enumerate(hpos)]
    return {"name": name, "image": image, "define": d, "drawn": drawn, "every": every,
            "faults": faults}


def identities(define):
    """What device matching compares, for each catalogue record of a model."""
    return [(d["type"], d["usb_vid"], d["usb_pid"], d["model_id"] & 0xFF, d["vid"] & 0xFF)
            for d in catalogue_entries(define)]


def catalogue_entries(define):
    """The catalogue records one model.json makes: a type 2 model with USB ids
    also makes a second record with both USB ids 0."""
    out = [define]
    if define["type"] == 2 and (define["usb_vid"] or define["usb_pid"]):
        out.append(dict(define, usb_vid=0, usb_pid=0))
    return out


def device_matches(dev, define):
    """The four rules of device matching, in order."""
    ui = dev["unit_index"]
    if ui != 0:
        flags = dev["unit_active"]
        if ui >= len(flags) or not flags[ui]:
            return False
    if dev["type"] != define["type"]:
        return False
    if dev["usb_vid"] != define["usb_vid"] or dev["usb_pid"] != define["usb_pid"]:
        return False
    return dev["sub_id"] == define["model_id"] and dev["vendor_code"] == define["vid"]


# ---------------------------------------------------------------- whole tree

def language_keys(root):
    path = os.path.join(root, "data", "language.json")
    doc = load_json(path)
    if not isinstance(doc, dict) or not all(isinstance(s, dict) for s in doc.values()):
        raise Fault("%s: not an object of language sections" % path)
    keys = None
    for lcid in LCIDS:
        if lcid not in doc:
            raise Fault("%s: section %s missing" % (path, lcid))
        ks = set(doc[lcid])
        keys = ks if keys is None else keys & ks
    return keys


def read_manifest(path):
    lines = []
    with open(path, encoding="utf-8") as f:
        for raw in f:
            line = raw.strip()
            if line and not line.startswith("#"):
                lines.append(line)
    return lines


def check_tree(root, lang_keys=None):
    """Returns the list of faults of the data under root/data."""
    faults = []
    data = os.path.join(root, "data")
    mdir = os.path.join(data, "model")
    art = os.path.join(data, "art", "model")
    if lang_keys is None:
        try:
            lang_keys = language_keys(root)
        except (Fault, OSError) as e:
            return ["language table: %s" % e]

    # manifest against the files on disk
    mpath = os.path.join(mdir, "manifest.txt")
    try:
        members = read_manifest(mpath)
    except OSError as e:
        return ["%s: %s" % (mpath, e)]
    on_disk = set()
    for dirpath, _, files in os.walk(mdir):
        for fn in files:
            rel = os.path.relpath(os.path.join(dirpath, fn), mdir).replace(os.sep, "/")
            if rel != "manifest.txt":
                on_disk.add(rel)
    seen = set()
    for m in members:
        if m in seen:
            faults.append("manifest: %s listed twice" % m)
        seen.add(m)
        if m not in on_disk:
            faults.append("manifest: %s does not exist" % m)
    for f in sorted(on_disk - seen):
        faults.append("manifest: %s is not listed" % f)
    if not members or members[-1] != TOP + "/ver.json":
        faults.append("manifest: the last member must be %s/ver.json" % TOP)

    # order: every folder's model.json first, then the folders' pictures in
    # the same order (the catalogue load reads the documents alone, so they
    # lie together at the package's start)
    folders = []                       # in manifest order
    pictures = []                      # (folder, file), in manifest order
    for m in members:
        parts = m.split("/")
        if len(parts) == 2 and parts[0] == TOP and parts[1] == "ver.json":
            continue
        if len(parts) != 3 or parts[0] != TOP:
            faults.append("manifest: %s is not %s/FOLDER/FILE" % (m, TOP))
            continue
        if parts[2] == "model.json":
            if pictures:
                faults.append("manifest: %s comes after a picture; the documents come first" % m)
            folders.append((parts[1], []))
        else:
            pictures.append((parts[1], parts[2]))
    if [f for f, _ in pictures] != [f for f, _ in folders]:
        faults.append("manifest: the pictures must follow in the folder order of the documents, one each")
    for folder, files in folders:
        files.extend(p for f, p in pictures if f == folder)
    last_nn = 0
    prev = None
    for i, (folder, files) in enumerate(folders):
        fm = FOLDER_RE.match(folder)
        if not fm:
            faults.append("manifest: folder %s is not NN_PPPP, NN_PPPPBT or an _ALT of them"
                          % folder)
            prev = None
            continue
        nn, num, bt, alt = fm.groups()
        picture = "%s_%s.png" % (nn, num)
        if files != [picture]:
            faults.append("manifest: %s must hold model.json and %s, holds %s"
                          % (folder, picture, ", ".join(["model.json"] + files)))
        if bt:
            base = "%s_%s%s" % (nn, num, alt or "")
            if prev != base:
                faults.append("manifest: %s must directly follow %s" % (folder, base))
        else:
            if int(nn) <= last_nn:
                faults.append("manifest: running number of %s does not ascend" % folder)
            last_nn = int(nn)
        prev = folder if not bt else None

    # models
    models = []
    names = {}
    for folder, files in folders:
        fm = FOLDER_RE.match(folder)
        if not fm:
            continue
        where = "%s/%s/model.json" % (TOP, folder)
        try:
            doc = load_json(os.path.join(mdir, TOP, folder, "model.json"))
            info = check_model(doc, where, lang_keys)
        except (Fault, OSError) as e:
            faults.append("%s: %s" % (where, e) if not str(e).startswith(where) else str(e))
            continue
        faults.extend(info["faults"])
        info["folder"] = folder
        models.append(info)
        nn, num, bt, alt = fm.groups()
        if info["name"] in names:
            faults.append("%s: name %r also used in %s" % (where, info["name"], names[info["name"]]))
        names.setdefault(info["name"], folder)
        if bool(bt) != ("(BT)" in info["name"]):
            faults.append("%s: %s" % (where, "a Bluetooth folder's name must contain (BT)"
                                      if bt else "only Bluetooth folders carry (BT)"))
        picture = "%s_%s.png" % (nn, num)
        if info["image"] != picture:
            faults.append("%s: model_image %r, expected %r" % (where, info["image"], picture))
            continue
        first = next((m for m in members if m.lower().endswith(picture.lower())), None)
        own = {"%s_%s%s" % (nn, num, alt or ""), folder}
        if first is None or first.split("/")[1] not in own:
            faults.append("%s: the first member ending with %s is %s, not this model's"
                          % (where, picture, first))
        ppath = os.path.join(mdir, TOP, folder, picture)
        if not os.path.isfile(ppath):
            continue
        if bt:
            base = os.path.join(mdir, TOP, "%s_%s%s" % (nn, num, alt or ""), picture)
            if os.path.isfile(base):
                with open(base, "rb") as a, open(ppath, "rb") as b:
                    if a.read() != b.read():
                        faults.append("%s: %s differs from the copy in the wired folder"
                                      % (where, picture))
        if os.path.isdir(art) and not os.path.isfile(os.path.join(art, picture[:-4] + ".svg")):
            faults.append("%s: drawing source data/art/model/%s.svg missing"
                          % (where, picture[:-4]))
        if os.path.getsize(ppath) > MAX_PNG_BYTES:
            faults.append("%s: %s is %d bytes, more than %d"
                          % (where, picture, os.path.getsize(ppath), MAX_PNG_BYTES))
        every = info["every"]
        try:
            w, h, alphas, corner = picture_info(
                ppath, [(min(max(x, 0), 9999), min(max(y, 0), 9999)) for _, (x, y) in every])
        except Fault as e:
            faults.append("%s: %s: %s" % (where, picture, e))
            continue
        if not 800 <= max(w, h) <= 1000:
            faults.append("%s: %s is %dx%d, its long side must be 800..1000"
                          % (where, picture, w, h))
        if corner != 0:
            faults.append("%s: %s has no transparent background" % (where, picture))
        half = MARKER // 2
        for (label, (x, y)), a in zip(every, alphas):
            if not (half <= x <= w - half and half <= y <= h - half):
                faults.append("%s: %s marker at (%d, %d) is outside the %dx%d picture"
                              % (where, label, x, y, w, h))
            elif a < 0.5:
                faults.append("%s: %s marker at (%d, %d) is on a transparent pixel, "
                              "not on the mouse" % (where, label, x, y))
        drawn = info["drawn"]
        for i, (la, (xa, ya)) in enumerate(drawn):
            for lb, (xb, yb) in drawn[i + 1:]:
                if (xa - xb) ** 2 + (ya - yb) ** 2 < MARKER ** 2:
                    faults.append("%s: markers of %s and %s overlap" % (where, la, lb))

    # identities
    owners = {}
    for info in models:
        for ident in identities(info["define"]):
            owners.setdefault(ident, []).append(info["folder"])
    for ident, fs in owners.items():
        if len(fs) < 2:
            continue
        plain = [f for f in fs if not f.endswith("_ALT")]
        alts = [f for f in fs if f.endswith("_ALT")]
        same_kind = len({("BT" in f) for f in fs}) == 1
        if not (len(plain) <= 1 and len(alts) <= 1 and same_kind):
            faults.append("identity type %d usb %04x:%04x model id 0x%02x vendor 0x%02x "
                          "shared by %s" % (ident + (", ".join(fs),)))

    # assignments and HID defaults are stored per (model id, pid, vendor code,
    # USB ids): two catalogue records with the same values share them
    owners, swaps = {}, {}
    for info in models:
        for e in catalogue_entries(info["define"]):
            key = (e["model_id"] & 0xFFFF, e["pid"] & 0xFFFF, e["vid"] & 0xFFFF,
                   e["usb_vid"], e["usb_pid"])
            owners.setdefault(key, []).append(info["folder"])
            swaps.setdefault(key, set()).add(e["swap45"])
    for key, fs in owners.items():
        plain = [f for f in fs if not f.endswith("_ALT")]
        alts = [f for f in fs if f.endswith("_ALT")]
        if len(swaps[key]) > 1:
            faults.append("%s share their settings identity but not swap45: one trigger "
                          "cannot carry both" % ", ".join(fs))
        if len(plain) > 1 or len(alts) > 1:
            faults.append("settings identity model id 0x%02x pid 0x%04x vendor 0x%02x usb "
                          "%04x:%04x shared by %s: their assignments would be one"
                          % (key + (", ".join(fs),)))

    # ver.json
    try:
        ver = load_json(os.path.join(mdir, TOP, "ver.json"))
        if not isinstance(ver, dict) or not isinstance(ver.get("ver"), str) or not ver["ver"]:
            faults.append("%s/ver.json: needs a \"ver\" text" % TOP)
    except (Fault, OSError) as e:
        faults.append("%s/ver.json: %s" % (TOP, e))

    # scenarios
    sdir = os.path.join(data, "scenarios")
    for fn in sorted(os.listdir(sdir)) if os.path.isdir(sdir) else []:
        if not fn.endswith(".json"):
            continue
        where = "scenarios/" + fn
        try:
            doc = load_json(os.path.join(sdir, fn))
            devices = doc.get("devices") if isinstance(doc, dict) else None
            if not isinstance(devices, list):
                raise Fault("needs a \"devices\" array")
            for i, dev in enumerate(devices):
                w = "%s device %d" % (where, i)
                if not isinstance(dev, dict):
                    raise Fault("device %d is not an object" % i)
                get_text(dev, "name", w, required=True)
                rec = {k: get_int(dev, k, w, lo, hi, required=True) for k, lo, hi in (
                    ("type", 0, 0x7FFFFFFF), ("unit_index", 0, 255), ("vendor_code", 0, 255),
                    ("sub_id", 0, 255), ("usb_vid", 0, 0xFFFFFFFF), ("usb_pid", 0, 0xFFFFFFFF),
                    ("handle", 0, 0xFFFFFFFF))}
                flags = dev.get("unit_active")
                if not isinstance(flags, list) or not all(
                        isinstance(x, int) and not isinstance(x, bool) for x in flags):
                    raise Fault("%s: unit_active must be an array of integers" % w)
                rec["unit_active"] = flags
                if not any(device_matches(rec, e) for m in models
                           for e in catalogue_entries(m["define"])):
                    faults.append("%s: %r matches no model" % (w, dev["name"]))
        except (Fault, OSError) as e:
            faults.append("%s: %s" % (where, e))
    return faults


# ---------------------------------------------------------------- self-test

def png_bytes(w, h, box):
    """An RGBA PNG, opaque inside box (x0, y0, x1, y1), transparent outside."""
    x0, y0, x1, y1 = box
    inside = b"\x60\x60\x60\xff" * (x1 - x0)
    rows = []
    for y in range(h):
        if y0 <= y < y1:
            rows.append(b"\x00" + b"\x00" * 4 * x0 + inside + b"\x00" * 4 * (w - x1))
        else:
            rows.append(b"\x00" + b"\x00" * 4 * w)

    def chunk(tag, payload):
        c = struct.pack(">I", len(payload)) + tag + payload
        return c + struct.pack(">I", zlib.crc32(tag + payload) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))


SELF_LANG = {"button", "tilt left", "tilt right", "tilt left function", "tilt right function",
             "show desktop"}
NAMES10 = {lcid: "Copy %s" % lcid for lcid in LCIDS}


def sample_tree():
    """A small valid package: a tilt model, a receiver model with wheel codes,
    their Bluetooth variants, an _ALT edition, ver.json and scenarios."""
    def buttons(n):
        pos = [(150, 150), (450, 150), (300, 120), (120, 400), (120, 300)]
        return [{"x": x, "y": y, "numStr": "", "one_time": 0, "str": "", "image_over": 0,
                 "function": "", "exclude": 0} for x, y in pos[:n]]
    tilt = {"model_name": "Alpha", "model_image": "01_1000.png", "tilt_image_pos": 1,
            "button_pos": buttons(5),
            "tilt_pos": [{"x": 240, "y": 120, "image_over": 0, "str": "",
                          "function": "tilt left function", "numStr": "", "exclude": 0},
                         {"x": 360, "y": 120, "image_over": 0, "str": "",
                          "function": "tilt right function", "numStr": "", "exclude": 0}],
            "model_define": {"model_id": "0x01", "button": "0x001f", "usb_vid": "0x0000",
                             "usb_pid": "0x0000", "pid": "0x1000", "vid": "0x4b", "type": 1,
                             "tilt": 1, "tilt_mask_l": 1, "tilt_mask_r": 2, "swap45": 0}}
    wheel = {"model_name": "Beta (RF)", "model_image": "02_2000.png",
             "button_pos": buttons(3),
             "model_define": {"model_id": 2, "button": 7, "usb_vid": "0x3a7c",
                              "usb_pid": "0x7a02", "pid": "0x2000", "vid": "0x4b", "type": 2,
                              "tilt": 0, "tilt_mask_l": 0, "tilt_mask_r": 0, "swap45": 0},
             "hid_num": [
                 {"x": 150, "y": 500, "down": "0xfa", "up": "0xfa",
                  "function_define": {"type": 6, "press": ["0x01", "0x01", "0x00"],
                                      "release": ["0x00"]},
                  "function_name": dict(NAMES10)},
                 {"x": 150, "y": 600, "down": "0xfc", "up": "0xfc",
                  "function_define": {"type": 6, "press": ["0x01", "0xff", "0x00"],
                                      "release": ["0x00"]},
                  "function_name": dict(NAMES10)},
                 {"x": 400, "y": 600, "down": "0x21", "up": "0x22",
                  "function_define": {"type": 2, "press": ["0x01", "0x11", "0x43"],
                                      "release": ["0x00", "0x43", "0x11"]},
                  "function_name": dict(NAMES10)}]}

    def bt(doc, name):
        d = json.loads(json.dumps(doc))
        d["model_name"] = name
        d["model_define"]["type"] = 3
        d["model_define"]["usb_vid"] = d["model_define"]["usb_pid"] = 0
        d["model_define"]["pid"] = "0xb%s" % d["model_define"]["pid"][3:]
        return d
    alt = json.loads(json.dumps(tilt))
    alt["model_name"] = "Alpha Left"
    alt["model_image"] = "03_1000.png"
    png = png_bytes(600, 800, (50, 50, 550, 750))
    files = {
        "data/model/model_korvane/01_1000/model.json": tilt,
        "data/model/model_korvane/01_1000/01_1000.png": png,
        "data/model/model_korvane/01_1000BT/model.json": bt(tilt, "Alpha (BT)"),
        "data/model/model_korvane/01_1000BT/01_1000.png": png,
        "data/model/model_korvane/02_2000/model.json": wheel,
        "data/model/model_korvane/02_2000/02_2000.png": png,
        "data/model/model_korvane/02_2000BT/model.json": bt(wheel, "Beta (BT)"),
        "data/model/model_korvane/02_2000BT/02_2000.png": png,
        "data/model/model_korvane/03_1000_ALT/model.json": alt,
        "data/model/model_korvane/03_1000_ALT/03_1000.png": png,
        "data/model/model_korvane/03_1000BT_ALT/model.json": bt(alt, "Alpha Left (BT)"),
        "data/model/model_korvane/03_1000BT_ALT/03_1000.png": png,
        "data/model/model_korvane/ver.json": {"ver": "1.0"},
        "data/art/model/01_1000.svg": b"<svg/>",
        "data/art/model/02_2000.svg": b"<svg/>",
        "data/art/model/03_1000.svg": b"<svg/>",
        "data/scenarios/one.json": {"devices": [
            {"name": "Alpha", "type": 1, "unit_index": 0, "unit_active": [1],
             "vendor_code": 75, "sub_id": 1, "usb_vid": 0, "usb_pid": 0, "handle": 1}]},
        "data/scenarios/two.json": {"devices": [
            {"name": "Beta receiver", "type": 2, "unit_index": 1, "unit_active": [0, 1],
             "vendor_code": 75, "sub_id": 2, "usb_vid": 0x3a7c, "usb_pid": 0x7a02,
             "handle": 2},
            {"name": "Beta old receiver", "type": 2, "unit_index": 0, "unit_active": [],
             "vendor_code": 75, "sub_id": 2, "usb_vid": 0, "usb_pid": 0, "handle": 3}]},
    }
    order = ["01_1000", "01_1000BT", "02_2000", "02_2000BT", "03_1000_ALT", "03_1000BT_ALT"]
    lines = ["# sample"]
    lines += ["%s/%s/model.json" % (TOP, f) for f in order]
    lines += ["%s/%s/%s.png" % (TOP, f, f[:7]) for f in order]
    lines += ["", "%s/ver.json" % TOP]
    files["data/model/manifest.txt"] = ("\n".join(lines) + "\n").encode()
    return files


M1 = "data/model/model_korvane/01_1000/model.json"
M1BT = "data/model/model_korvane/01_1000BT/model.json"
M2 = "data/model/model_korvane/02_2000/model.json"
MAN = "data/model/manifest.txt"


def edit(path, fn):
    def apply(files):
        fn(files[path])
    return apply


def manifest(fn):
    def apply(files):
        lines = files[MAN].decode().splitlines()
        files[MAN] = ("\n".join(fn(lines)) + "\n").encode()
    return apply


def swap(lines, a, b):
    i, j = lines.index(a), lines.index(b)
    lines[i], lines[j] = lines[j], lines[i]
    return lines


def setitem(path, keys, value):
    def apply(files):
        obj = files[path]
        for k in keys[:-1]:
            obj = obj[k]
        if value is DELETE:
            del obj[keys[-1]]
        else:
            obj[keys[-1]] = value
    return apply


DELETE = object()
SCEN1 = "data/scenarios/one.json"

# (case, mutation of the sample tree, fragment expected in a fault; None: passes)
CASES = [
    ("sample package", lambda f: None, None),
    ("number texts with trailing blank", setitem(M1, ["model_define", "pid"], "4096 "), None),
    ("model_name missing", setitem(M1, ["model_name"], DELETE), "'model_name' missing"),
    ("model_name not a text", setitem(M1, ["model_name"], 5), "'model_name': must be a text"),
    ("model_define missing", setitem(M1, ["model_define"], DELETE), "model_define missing"),
    ("button mask a boolean", setitem(M1, ["model_define", "button"], True),
     "must be a number"),
    ("hex text with junk", setitem(M1, ["model_define", "pid"], "0x10zz"),
     "is not a number text"),
    ("number with fraction", setitem(M1, ["button_pos", 1, "x"], 150.5), "fraction"),
    ("marker outside the picture", setitem(M1, ["button_pos", 1, "x"], 590),
     "outside the 600x800 picture"),
    ("marker on transparent pixel", setitem(M1, ["button_pos", 1, "y"], 40),
     "on a transparent pixel"),
    ("two markers overlap", setitem(M1, ["button_pos", 4, "y"], 370), "overlap"),
    ("tilt marker overlaps a button", setitem(M1, ["tilt_pos", 1, "x"], 320),
     "markers of button 2 and tilt 1 overlap"),
    ("HID marker overlaps a button",
     edit(M2, lambda d: d["hid_num"][0].update(x=440, y=170)),
     "markers of button 1 and hid 0 overlap"),
    ("mask bit without position", setitem(M1, ["model_define", "button"], "0x003f"),
     "button bit 5 is set"),
    ("more than 12 buttons", setitem(M1, ["button_pos"], [{"x": 1, "y": 1}] * 13),
     "at most 12"),
    ("caption key unknown", setitem(M1, ["button_pos", 3, "str"], "thumb"),
     "not a key of the language table"),
    ("function key unknown", setitem(M1, ["tilt_pos", 0, "function"], "tilt lft"),
     "not a key of the language table"),
    ("marker code without number", setitem(M1, ["button_pos", 3, "image"], "l"),
     "image 'l'"),
    ("marker code beyond skin", setitem(M1, ["button_pos", 3, "image"], "r9"), "image 'r9'"),
    ("direction index 11", setitem(M1, ["button_pos", 3, "image_over"], 11), "outside 0..10"),
    ("one_time 2", setitem(M1, ["button_pos", 3, "one_time"], 2), "one_time must be 0 or 1"),
    ("tilt model with one tilt entry", edit(M1, lambda d: d["tilt_pos"].pop()),
     "needs two tilt_pos"),
    ("tilt entries without tilt", setitem(M1, ["model_define", "tilt"], 0),
     "on a model without tilt"),
    ("press byte as number", setitem(M2, ["hid_num", 2, "function_define", "press", 1], 17),
     "must be a text such as"),
    ("key combination without key",
     setitem(M2, ["hid_num", 2, "function_define", "press"], ["0x01", "0x11"]),
     "press must be 1, modifiers"),
    ("key combination release order",
     setitem(M2, ["hid_num", 2, "function_define", "release"], ["0x00", "0x11", "0x43"]),
     "release must be 0, the key"),
    ("key combination modifier order",
     setitem(M2, ["hid_num", 2, "function_define", "press"], ["0x01", "0x10", "0x11", "0x43"]),
     "press must be 1, modifiers in the order"),
    ("unknown default action type", setitem(M2, ["hid_num", 2, "function_define", "type"], 5),
     "default action type 5"),
    ("default needing a text argument",
     setitem(M2, ["hid_num", 2, "function_define", "type"], 9), "default action type 9"),
    ("phase byte missing",
     setitem(M2, ["hid_num", 0, "function_define", "press", 0], "0x00"), "phase byte"),
    ("wheel release not fixed",
     setitem(M2, ["hid_num", 0, "function_define", "release"], ["0x00", "0x01"]),
     "release must be [0x00]"),
    ("media key tap", lambda f: f[M2]["hid_num"][2].__setitem__(
        "function_define", {"type": 3, "press": ["0x01", "0xaf", "0x01"],
                            "release": ["0x00"]}), None),
    ("system action out of range", lambda f: f[M2]["hid_num"][2].__setitem__(
        "function_define", {"type": 8, "press": ["0x01", "0x06"], "release": ["0x00"]}),
     "system action 1..5"),
    ("exclude of no action type", setitem(M1, ["button_pos", 3, "exclude"], 5),
     "exclude 5 is no action type"),
    ("wheel press direction", setitem(M2, ["hid_num", 0, "function_define", "press", 1], "2"),
     "press[1] must be 1"),
    ("wheel codes same direction",
     setitem(M2, ["hid_num", 1, "function_define", "press", 1], "0x01"),
     "same direction"),
    ("a key combination and one wheel notch", lambda f: f[M2]["hid_num"][2].__setitem__(
        "function_define", {"type": 6, "press": ["0x01", "0x01", "0x00"],
                            "release": ["0x00"]}), None),
    ("wheel codes swapped", edit(M2, lambda d: d["hid_num"].insert(0, d["hid_num"].pop(1))),
     "must be HID entry 0"),
    ("wheel code release differs", setitem(M2, ["hid_num", 0, "up"], "0xfb"),
     "same code on release"),
    ("wheel code alone", edit(M2, lambda d: d["hid_num"].pop(1)), "without its partner"),
    ("HID code 0", setitem(M2, ["hid_num", 2, "up"], 0), "outside 1..255"),
    ("HID down code repeated", setitem(M2, ["hid_num", 2, "down"], "0xfa"), "repeats"),
    ("function name missing a language",
     edit(M2, lambda d: d["hid_num"][2]["function_name"].pop("1041")), "no text for 1041"),
    ("function name too long",
     setitem(M2, ["hid_num", 2, "function_name", "1033"], "x" * 64), "longer than 63"),
    ("model id beyond a byte", setitem(M1, ["model_define", "model_id"], 300), "0..255"),
    ("vendor code beyond a byte", setitem(M1, ["model_define", "vid"], "0x12c"), "0..255"),
    ("model_define null", setitem(M2, ["model_define"], None), "model_define missing"),
    ("identity shared by two models",
     edit(M2, lambda d: d["model_define"].update(type=1, usb_vid=0, usb_pid=0, model_id=1)),
     "shared by 01_1000, 02_2000"),
    ("second entry of a receiver model shared",
     edit(M1, lambda d: d["model_define"].update(type=2, model_id=2)),
     "usb 0000:0000 model id 0x02"),
    ("Bluetooth variant with the same pid as the receiver's second record",
     setitem("data/model/model_korvane/02_2000BT/model.json", ["model_define", "pid"],
             "0x2000"),
     "settings identity model id 0x02 pid 0x2000"),
    ("alternative edition with its own swap45",
     setitem("data/model/model_korvane/03_1000_ALT/model.json", ["model_define", "swap45"], 1),
     "not swap45"),
    ("Bluetooth name without (BT)", setitem(M1BT, ["model_name"], "Alpha BT"),
     "must contain (BT)"),
    ("(BT) outside a Bluetooth folder", setitem(M1, ["model_name"], "Alpha (BT)"),
     "only Bluetooth folders"),
    ("(RF) without a name before it", setitem(M2, ["model_name"], "(RF) Beta"),
     "at least three characters"),
    ("name used twice", setitem(M2, ["model_name"], "Alpha"), "also used in"),
    ("picture of another model", setitem(M2, ["model_image"], "01_1000.png"),
     "expected '02_2000.png'"),
    ("Bluetooth copy differs",
     lambda f: f.__setitem__("data/model/model_korvane/01_1000BT/01_1000.png",
                             png_bytes(600, 800, (40, 40, 560, 760))), "differs"),
    ("picture too small",
     lambda f: [f.__setitem__(p, png_bytes(500, 700, (50, 50, 450, 650)))
                for p in list(f) if p.endswith("01_1000.png")], "long side must be"),
    ("picture without transparency",
     lambda f: [f.__setitem__(p, png_bytes(600, 800, (0, 0, 600, 800)))
                for p in list(f) if p.endswith("01_1000.png")], "no transparent background"),
    ("drawing source missing", lambda f: f.pop("data/art/model/02_2000.svg"),
     "02_2000.svg missing"),
    ("manifest misses a file", manifest(lambda ls: [x for x in ls if "02_2000BT/0" not in x]),
     "is not listed"),
    ("manifest names a missing file", manifest(lambda ls: ls[:-1] + ["%s/x.json" % TOP, ls[-1]]),
     "does not exist"),
    ("ver.json not last", manifest(lambda ls: [ls[0], ls[-1]] + ls[1:-1]),
     "last member must be"),
    ("Bluetooth folder first", manifest(lambda ls: swap(swap(
        ls, "%s/01_1000/model.json" % TOP, "%s/01_1000BT/model.json" % TOP),
        "%s/01_1000/01_1000.png" % TOP, "%s/01_1000BT/01_1000.png" % TOP)),
     "must directly follow 01_1000"),
    ("picture among the documents", manifest(lambda ls: swap(
        ls, "%s/02_2000/model.json" % TOP, "%s/01_1000/01_1000.png" % TOP)),
     "the documents come first"),
    ("pictures in another order", manifest(lambda ls: swap(
        ls, "%s/01_1000/01_1000.png" % TOP, "%s/02_2000/02_2000.png" % TOP)),
     "folder order of the documents"),
    ("ver.json without ver", lambda f: f.__setitem__(
        "data/model/model_korvane/ver.json", {"version": "1"}), "needs a \"ver\" text"),
    ("model.json not JSON", lambda f: f.__setitem__(M2, b"{\"model_name\": }"),
     "not valid JSON"),
    ("duplicate key", lambda f: f.__setitem__(M2, b"{\"a\": 1, \"a\": 2}"), "duplicate key"),
    ("scenario device wrong model id", setitem(SCEN1, ["devices", 0, "sub_id"], 9),
     "matches no model"),
    ("scenario device inactive unit", setitem(SCEN1, ["devices", 0, "unit_index"], 2),
     "matches no model"),
    ("scenario device of the Bluetooth variant", setitem(SCEN1, ["devices", 0, "type"], 3),
     None),
    ("scenario device wrong type", setitem(SCEN1, ["devices", 0, "type"], 5),
     "matches no model"),
    ("scenario device wrong USB id", setitem(SCEN1, ["devices", 0, "usb_pid"], 1),
     "matches no model"),
    ("scenario without devices", lambda f: f.__setitem__(SCEN1, {"device": []}),
     "needs a \"devices\" array"),
]


def write_tree(root, files):
    for rel, content in files.items():
        path = os.path.join(root, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        if not isinstance(content, bytes):
            content = (json.dumps(content, ensure_ascii=False, indent=1) + "\n").encode()
        with open(path, "wb") as f:
            f.write(content)


def self_test():
    failed = 0
    for name, mutate, expect in CASES:
        files = sample_tree()
        mutate(files)
        tmp = tempfile.mkdtemp(prefix="check_models.")
        try:
            write_tree(tmp, files)
            faults = check_tree(tmp, SELF_LANG)
        finally:
            shutil.rmtree(tmp)
        if expect is None:
            ok = not faults
        else:
            ok = any(expect in f for f in faults)
        if not ok:
            failed += 1
            print("self-test FAILED: %s: expected %s, got:" % (
                name, "no fault" if expect is None else repr(expect)))
            for f in faults or ["(no fault)"]:
                print("    " + f)
    print("self-test: %d passed, %d failed" % (len(CASES) - failed, failed))
    return failed == 0


def main(argv):
    root = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
    mode = "all"
    if argv and argv[0] in ("--data", "--self-test"):
        mode = argv[0]
        argv = argv[1:]
    if argv and mode == "--data":
        root = os.path.abspath(argv[0])
        argv = argv[1:]
    if argv:
        print(__doc__)
        return 2
    ok = True
    if mode in ("all", "--self-test"):
        ok = self_test() and ok
    if mode in ("all", "--data"):
        faults = check_tree(root)
        for f in faults:
            print(f)
        print("check_models: %s" % ("%d faults" % len(faults) if faults else "data ok"))
        ok = ok and not faults
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
