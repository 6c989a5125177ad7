#!/usr/bin/env bash
# The profile list of the title bar, with the simulated mouse of the demo:
# "Add a program…" offers the program that shows a window beside Tessaro;
# its profile shows every marker in the dimmer style of an inherited
# assignment until the profile assigns the button itself, and a choice in
# the function menu goes into the profile (the library holds it, the
# simulation's button acts with it while that program is in front);
# "Remove this profile" asks, then leaves the program the default
# assignments. With PROFILE_LIST_SNAPSHOT set to a file name, the window
# with editor's profile shown and its list open at "Add a program…" is
# saved there as a PNG picture.
source "$(dirname "$0")/lib/session.sh"
source "$(dirname "$0")/lib/markers.sh"
source "$(dirname "$0")/lib/controls.sh"
source "$(dirname "$0")/lib/profiles.sh"

# The demo's mouse: buttons 1 to 7 and a tilting wheel, nine rows; the
# third marker is the back button.
rows=9
spaced=9
back=2
handle=4097

start_tessaro demo
window=$(wait_for_window)
[ -n "$window" ] || fail "the main window did not show"
start_input_recorder 20 200 editor
# The column is made by the first device scan: a marker's menu opens then.
open_menu 0 >/dev/null
xdotool key Escape
wait_until 10 untitled_count_is 0 || fail "the function menu did not close"

# brightest MARKER: the brightest grey of shown marker MARKER's text.
brightest() {
  local picture
  picture=$(mktemp --suffix=.png)
  # shellcheck disable=SC2046
  import -window root -crop "$(marker_point "$window" "$rows" "$spaced" "$1" rect |
    awk '{ print $3 - 20 "x" $4 - 8 "+" $1 + 10 "+" $2 + 4 }')" +repage -colorspace Gray "$picture"
  convert "$picture" -format '%[fx:int(255 * maxima)]' info:
  rm -f "$picture"
}
bright=$(brightest 1)


# The program beside Tessaro comes first of the programs to add (before
# Wine's own explorer).
add_first_program 0 0
wait_until 10 eval '[ "$(stored_profiles)" = "editor.exe|" ]' || fail "editor was not added: $(stored_profiles)"
dimmed() { [ "$(brightest "$1")" -lt $((bright - 40)) ]; }
wait_until 10 dimmed 1 || fail "an inherited marker is not dimmer: $(brightest 1) against $bright"

choose_editing $back 2
wait_until 10 eval '[ "$(stored_profiles)" = "editor.exe|Paste" ]' || fail "Paste not stored: $(stored_profiles)"
[ ! -e "$SETTINGS_FILE" ] || fail "the settings file was written for the profile"
undimmed() { [ "$(brightest $back)" -ge $((bright - 10)) ]; }
wait_until 10 undimmed || fail "the profile's own assignment is dimmed: $(brightest $back) against $bright"
dimmed 1 || fail "the inherited marker lost its dimmer style"

# state_of EXPRESSION: a Python expression over the library's state reply.
state_of() { vxctl '{"cmd":"state"}' | tr -d '\r' | python3 -c "import json, sys; s = json.load(sys.stdin); print($1)"; }
paste_held() { [ "$(state_of '[(p["program"], t["hid_button"], t["function"]["press"]) for p in s["profiles"] for t in p["triggers"]]')" = "[('editor.exe', 8, [1, 17, 86])]" ]; }
wait_until 10 paste_held || fail "the library holds $(state_of 's["profiles"]')"
[ "$(state_of '[t for t in s["triggers"] if t["hid_button"] == 8]')" = "[]" ] ||
  fail "the default profile got a back trigger: $(state_of 's["triggers"]')"

# button PROGRAM: the back button pressed and let go with PROGRAM in front;
# prints what the press performs and the release's verdict.
button() {
  vxctl "{\"cmd\":\"foreground\",\"program\":\"$1\"}" >/dev/null
  vxctl "{\"cmd\":\"button\",\"handle\":$handle,\"button\":\"back\",\"edge\":\"down\"}" | tr -d '\r' |
    python3 -c 'import json, sys; r = json.load(sys.stdin); print(r["swallowed"], r["profile"], (r["function"] or {}).get("press"))'
  vxctl "{\"cmd\":\"button\",\"handle\":$handle,\"button\":\"back\",\"edge\":\"up\"}" | tr -d '\r' |
    python3 -c 'import json, sys; print(json.load(sys.stdin)["swallowed"])'
}
[ "$(button 'C:\\Apps\\EDITOR.EXE')" = $'True editor.exe [1, 17, 86]\nTrue' ] || fail "in editor: $(button editor.exe)"
[ "$(button shell.exe)" = $'False None None\nFalse' ] || fail "elsewhere: $(button shell.exe)"

if [ -n "${PROFILE_LIST_SNAPSHOT:-}" ]; then
  # A second program to add, for the picture.
  start_input_recorder 20 400 browser
  list=$(open_profile_list)
  # shellcheck disable=SC2046
  xdotool mousemove $(list_row_point "$list" "$(title_list_scale)" "$(profile_rows 1 1)" 2)
  wait_until 5 untitled_count_is 2 || fail "Add a program opened no list"
  sleep 0.5
  # shellcheck disable=SC2046
  picture_of_windows "$PROFILE_LIST_SNAPSHOT" "$window" $(untitled_windows)
  xdotool key Escape
  wait_until 10 untitled_count_is 0 || fail "the profile list did not close"
fi

# Remove it: a question, then the default assignments everywhere.
remove_shown_profile 1 editor.exe
wait_until 10 eval '[ -z "$(stored_profiles)" ]' || fail "the profile stayed: $(stored_profiles)"
[ "$(state_of 's["profiles"]')" = "[]" ] || fail "the library kept $(state_of 's["profiles"]')"
[ "$(button editor.exe)" = $'False None None\nFalse' ] || fail "in editor after the removal: $(button editor.exe)"
wait_until 10 eval '[ "$(brightest 1)" -ge $((bright - 10)) ]' || fail "All programs shows dimmed markers"

run_tessaro /close || fail "/close did not end cleanly"
wait_until 10 process_gone "$tessaro_pid" || fail "/close did not end the instance"
echo "profile_list: ok"
