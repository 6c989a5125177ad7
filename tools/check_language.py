#!/usr/bin/env python3
"""Check the language table (data/language.json) of Tessaro.

Usage:
    check_language.py [PATH]      check PATH (default: data/language.json
                                  of this repository)
    check_language.py --self-test run the built-in table of broken
                                  documents against the checker

Exit status 0 when the document passes, 1 when it has faults (each printed
on its own line), 2 on a usage error.

What is checked:
  * the bytes are UTF-8 (no byte order mark, no NUL byte: the loader stops
    reading at the first zero byte), and every line ends with CR LF;
  * no \\u escape sequences: non-ASCII letters are written as themselves;
  * the text is valid JSON without duplicate keys, its top level is an
    object of objects, and every value in a section is a string;
  * exactly the ten language sections, in this order, each with its
    "language name";
  * section "1033" holds every key the program looks up by name;
  * every key of section "1033" is present and non-empty in every section,
    and no section has keys that "1033" lacks;
  * keys are ASCII, texts fit the program's 128-unit text buffers;
  * printf-style placeholders: every section has, per key, the same
    placeholders in the same order as "1033", and no stray "%" (some texts
    are used as format strings, with " %d" appended).
"""

import json
import os
import re
import sys

# Sections in file order, with their "language name".
SECTIONS = [
    ("1028", "中文(繁體)"),
    ("1031", "Deutsch"),
    ("1033", "English"),
    ("1036", "Français"),
    ("1040", "Italiano"),
    ("1041", "日本語"),
    ("1042", "한국어"),
    ("1043", "Nederlands"),
    ("2052", "中文(简体)"),
    ("3082", "Español"),
]

REFERENCE = "1033"

# Keys that the program's code looks up by fixed name.
REQUIRED_KEYS = [
    "language name", "software version", "global setting", "ok", "cancel",
    "reset", "reset prompt", "button setting", "tilt left", "tilt right",
    "exit", "open setting", "device not found", "model list", "left hand",
    "wait key", "custom key", "backward", "forward", "left click",
    "right click", "middle click", "slowdown enable", "slowdown key tip",
    "check for updates", "all programs", "add program", "remove profile",
    "remove profile prompt", "profile shown", "profiles damaged",
]

# Texts are copied into buffers of 128 UTF-16 units including the
# terminating zero.
MAX_TEXT_UNITS = 127

# A printf conversion as understood by the C runtime's swprintf family.
# The space flag is left out on purpose: in a UI text "% " is a percent sign
# followed by a blank ("50% off" would read as the conversion "% o"), so it
# is reported as a stray "%".
PLACEHOLDER = re.compile(
    r"%(?:%|[-+#0]*(?:\*|\d+)?(?:\.(?:\*|\d+))?"
    r"(?:hh|h|ll|l|L|I64|I32|I|w|z|j|t)?[diouxXeEfgGaAcCsSpn])")


def default_path():
    here = os.path.dirname(os.path.abspath(__file__))
    return os.path.join(os.path.dirname(here), "data", "language.json")


def utf16_units(text):
    return len(text.encode("utf-16-le")) // 2


def placeholders(text):
    """Return (list of placeholders, number of stray '%' characters)."""
    found = PLACEHOLDER.findall(text)
    stray = text.count("%") - sum(p.count("%") for p in found)
    return found, stray


def _pairs_hook(pairs):
    seen = set()
    dups = []
    for key, _ in pairs:
        if key in seen:
            dups.append(key)
        seen.add(key)
    obj = dict(pairs)
    if dups:
        raise ValueError("duplicate key(s) %s" % ", ".join(
            repr(d) for d in dups))
    # Remember the order, dict keeps insertion order.
    return obj


def check_bytes(data):
    """Return a list of fault descriptions for the raw document bytes."""
    faults = []

    if data.startswith(b"\xef\xbb\xbf"):
        faults.append("file starts with a UTF-8 byte order mark")
        data = data[3:]
    if b"\x00" in data:
        faults.append("file contains a NUL byte at offset %d"
                      % data.index(b"\x00"))

    try:
        text = data.decode("utf-8")
    except UnicodeDecodeError as exc:
        faults.append("not valid UTF-8: %s" % exc)
        return faults

    # Line ends: CR LF only.
    line = 1
    for i, ch in enumerate(text):
        if ch == "\n":
            if i == 0 or text[i - 1] != "\r":
                faults.append("line %d ends with LF without CR" % line)
            line += 1
        elif ch == "\r":
            if i + 1 >= len(text) or text[i + 1] != "\n":
                faults.append("line %d has a CR without LF" % line)
    if text and not text.endswith("\r\n"):
        faults.append("last line does not end with CR LF")

    for m in re.finditer(r"(\\+)u[0-9a-fA-F]{4}", text):
        if len(m.group(1)) % 2 == 1:
            lineno = text.count("\n", 0, m.start()) + 1
            faults.append("line %d uses a \\u escape; write the character"
                          " itself" % lineno)

    try:
        doc = json.loads(text, object_pairs_hook=_pairs_hook)
    except ValueError as exc:
        faults.append("not valid JSON: %s" % exc)
        return faults

    faults.extend(check_document(doc))
    return faults


def check_document(doc):
    """Return a list of fault descriptions for a parsed document."""
    faults = []
    if not isinstance(doc, dict):
        return ["top level is not an object"]

    expected_ids = [lcid for lcid, _ in SECTIONS]
    actual_ids = list(doc.keys())
    for lcid in expected_ids:
        if lcid not in doc:
            faults.append("section %s is missing" % lcid)
    for lcid in actual_ids:
        if lcid not in expected_ids:
            faults.append("unexpected section %r" % lcid)
    present = [k for k in actual_ids if k in expected_ids]
    if present != [k for k in expected_ids if k in doc]:
        faults.append("sections are not in the order %s"
                      % ", ".join(expected_ids))

    sections = {}
    for lcid, section in doc.items():
        if not isinstance(section, dict):
            faults.append("section %s is not an object" % lcid)
            continue
        sections[lcid] = section
        for key, value in section.items():
            if not key.isascii():
                faults.append("section %s: key %r is not ASCII" % (lcid, key))
            if not isinstance(value, str):
                faults.append("section %s: %r is not a string" % (lcid, key))
                continue
            try:
                value.encode("utf-8")
            except UnicodeEncodeError:
                faults.append("section %s: %r holds an unpaired surrogate"
                              % (lcid, key))
                continue
            if utf16_units(value) > MAX_TEXT_UNITS:
                faults.append("section %s: %r is longer than %d UTF-16 units"
                              % (lcid, key, MAX_TEXT_UNITS))

    for lcid, name in SECTIONS:
        section = sections.get(lcid)
        if section is None:
            continue
        if section.get("language name") != name:
            faults.append("section %s: \"language name\" is %r, expected %r"
                          % (lcid, section.get("language name"), name))

    reference = sections.get(REFERENCE)
    if reference is None:
        faults.append("reference section %s is missing, keys not compared"
                      % REFERENCE)
        return faults

    for key in REQUIRED_KEYS:
        if key not in reference:
            faults.append("section %s lacks the key %r that the program"
                          " looks up" % (REFERENCE, key))

    ref_ph = {}
    for key, value in reference.items():
        if isinstance(value, str):
            ref_ph[key] = placeholders(value)[0]

    for lcid, _ in SECTIONS:
        section = sections.get(lcid)
        if section is None:
            continue
        for key in reference:
            if key not in section:
                faults.append("section %s lacks the key %r" % (lcid, key))
                continue
            value = section[key]
            if not isinstance(value, str):
                continue
            if value.strip() == "":
                faults.append("section %s: %r is empty" % (lcid, key))
            found, stray = placeholders(value)
            if stray:
                faults.append("section %s: %r has a stray %%" % (lcid, key))
            if key in ref_ph and found != ref_ph[key]:
                faults.append("section %s: %r has placeholders %s, %s has %s"
                              % (lcid, key, found or "none", REFERENCE,
                                 ref_ph[key] or "none"))
        for key in section:
            if key not in reference:
                faults.append("section %s: key %r is not in section %s"
                              % (lcid, key, REFERENCE))
    return faults


# ---------------------------------------------------------------------------
# Self-test: each case changes a known-good document and names a fault text
# that the checker must report (None: the document must pass).

def _good_document():
    doc = {}
    for lcid, name in SECTIONS:
        section = {"language name": name}
        for key in REQUIRED_KEYS[1:]:
            section[key] = "%s %s" % (key, lcid)
        section["fmt"] = "%s of %d"
        doc[lcid] = section
    return doc


def _encode(doc, newline="\r\n", ensure_ascii=False):
    text = json.dumps(doc, ensure_ascii=ensure_ascii, indent=4) + "\n"
    return text.replace("\n", newline).encode("utf-8")


def _mut(fn):
    def run():
        doc = _good_document()
        fn(doc)
        return _encode(doc)
    return run


def _swap_sections(doc):
    items = list(doc.items())
    items[0], items[1] = items[1], items[0]
    doc.clear()
    doc.update(items)


SELF_TEST_CASES = [
    ("good document passes", lambda: _encode(_good_document()), None),
    ("percent escape is allowed",
     _mut(lambda d: [s.update({"fmt": "%s of %d (100%%)"})
                     for s in d.values()]), None),
    ("LF line ends", lambda: _encode(_good_document(), "\n"),
     "ends with LF without CR"),
    ("CR line ends", lambda: _encode(_good_document(), "\r"),
     "CR without LF"),
    ("mixed line ends",
     lambda: _encode(_good_document()).replace(b"\r\n", b"\n", 1),
     "line 1 ends with LF without CR"),
    ("byte order mark", lambda: b"\xef\xbb\xbf" + _encode(_good_document()),
     "byte order mark"),
    ("NUL byte", lambda: _encode(_good_document()) + b"\x00",
     "NUL byte"),
    ("not UTF-8",
     lambda: _encode(_good_document()).replace("Français".encode(),
                                               "Français".encode("latin-1")),
     "not valid UTF-8"),
    ("escaped non-ASCII",
     lambda: _encode(_good_document(), ensure_ascii=True), "\\u escape"),
    ("invalid JSON", lambda: _encode(_good_document())[:-10],
     "not valid JSON"),
    ("duplicate key",
     lambda: _encode(_good_document()).replace(
         b'"ok": "ok 1031",', b'"ok": "ok 1031",\r\n        "ok": "x",'),
     "duplicate key"),
    ("top level array", lambda: _encode([1, 2]), "top level is not an object"),
    ("section not an object",
     _mut(lambda d: d.update({"1043": ["Nederlands"]})),
     "section 1043 is not an object"),
    ("missing section", _mut(lambda d: d.pop("3082")),
     "section 3082 is missing"),
    ("extra section", _mut(lambda d: d.update({"1034": d["3082"]})),
     "unexpected section '1034'"),
    ("sections out of order", _mut(_swap_sections), "not in the order"),
    ("wrong language name",
     _mut(lambda d: d["1036"].update({"language name": "Francais"})),
     "section 1036: \"language name\" is 'Francais'"),
    ("language name as in another section",
     _mut(lambda d: d["2052"].update({"language name": "中文(繁體)"})),
     "section 2052: \"language name\""),
    ("reference lacks a looked-up key",
     _mut(lambda d: [s.pop("reset prompt") for s in d.values()]),
     "section 1033 lacks the key 'reset prompt' that the program"),
    ("translation lacks a key", _mut(lambda d: d["1041"].pop("exit")),
     "section 1041 lacks the key 'exit'"),
    ("empty text", _mut(lambda d: d["1042"].update({"ok": ""})),
     "section 1042: 'ok' is empty"),
    ("blank text", _mut(lambda d: d["1042"].update({"ok": "  "})),
     "section 1042: 'ok' is empty"),
    ("non-string text", _mut(lambda d: d["1031"].update({"ok": 1})),
     "section 1031: 'ok' is not a string"),
    ("null text", _mut(lambda d: d["1031"].update({"ok": None})),
     "section 1031: 'ok' is not a string"),
    ("key only in a translation",
     _mut(lambda d: d["1040"].update({"ok ": "OK"})),
     "section 1040: key 'ok ' is not in section 1033"),
    ("non-ASCII key",
     _mut(lambda d: [s.update({"café": "x"}) for s in d.values()]),
     "key 'café' is not ASCII"),
    ("text too long",
     _mut(lambda d: d["1028"].update({"exit": "結" * 128})),
     "section 1028: 'exit' is longer than 127"),
    ("placeholders swapped",
     _mut(lambda d: d["1043"].update({"fmt": "%d van %s"})),
     "section 1043: 'fmt' has placeholders"),
    ("placeholder missing",
     _mut(lambda d: d["3082"].update({"fmt": "%s de"})),
     "section 3082: 'fmt' has placeholders"),
    ("placeholder added",
     _mut(lambda d: d["1031"].update({"ok": "OK %s"})),
     "section 1031: 'ok' has placeholders"),
    ("stray percent",
     _mut(lambda d: d["1036"].update({"ok": "100 %"})),
     "section 1036: 'ok' has a stray %"),
    ("stray percent in the reference",
     _mut(lambda d: d["1033"].update({"reset": "50% off"})),
     "section 1033: 'reset' has a stray %"),
]


def self_test():
    failures = 0
    for name, make, expected in SELF_TEST_CASES:
        faults = check_bytes(make())
        if expected is None:
            ok = not faults
        else:
            ok = any(expected in f for f in faults)
        if not ok:
            failures += 1
            print("FAIL %s: expected %s, got %s"
                  % (name, "no fault" if expected is None
                     else repr(expected), faults or "no fault"))
    if failures:
        print("self-test: %d case(s) failed" % failures)
        return 1
    print("self-test: ok")
    return 0


def main(argv):
    if len(argv) > 2:
        print("\n".join(__doc__.strip().splitlines()[2:7]), file=sys.stderr)
        return 2
    if len(argv) == 2 and argv[1] == "--self-test":
        return self_test()
    path = argv[1] if len(argv) == 2 else default_path()
    try:
        with open(path, "rb") as f:
            data = f.read()
    except OSError as exc:
        print("%s: cannot read: %s" % (path, exc))
        return 1
    faults = check_bytes(data)
    for fault in faults:
        print("%s: %s" % (path, fault))
    if faults:
        return 1
    print("%s: ok" % path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
