#!/usr/bin/env bash
# Per-program assignments with the driver library's real backend: three
# programs (copies of the recording window under other names) show
# windows; "browser" gets Copy on the back button in its profile, "editor"
# Paste in its own, "other" has none. Activating each in turn and pressing
# the real mouse's back button gives each program its own keys and nothing
# else ("other" the button's own click). A restart keeps the profiles;
# removing editor's profile gives it the button's own click again.
source "$(dirname "$0")/lib/session.sh"
source "$(dirname "$0")/lib/markers.sh"
source "$(dirname "$0")/lib/controls.sh"
source "$(dirname "$0")/lib/profiles.sh"

# The standard mouse: right, middle, back and forward, then the two tilt
# sides.
rows=6
spaced=6
back=2

start_tessaro real
window=$(wait_for_window)
[ -n "$window" ] || fail "the main window did not show"

# Left of Tessaro's window, where no list opens. In name order the
# programs to add are browser, editor, then Wine's own (explorer) and other.
declare -A log point
for name in browser editor other; do
  case $name in browser) top=20 ;; editor) top=200 ;; other) top=380 ;; esac
  start_input_recorder 20 "$top" "$name"
  log[$name]=$recorder_log
  point[$name]=$recorder_point
done

add_first_program 0 0
wait_until 10 eval '[ "$(stored_profiles)" = "browser.exe|" ]' || fail "browser was not added: $(stored_profiles)"
choose_editing $back 0
wait_until 10 eval '[ "$(stored_profiles)" = "browser.exe|Copy" ]' || fail "Copy not stored: $(stored_profiles)"
add_first_program 1 1
choose_editing $back 2
expected_profiles=$'browser.exe|Copy\neditor.exe|Paste'
wait_until 10 eval '[ "$(stored_profiles)" = "$expected_profiles" ]' || fail "profiles stored: $(stored_profiles)"
[ ! -e "$SETTINGS_FILE" ] || fail "the settings file was written for the profiles"

# activate NAME: a click gives the window the keyboard and the foreground.
activate() {
  : >"${log[$1]}"
  for _ in $(seq 10); do
    # shellcheck disable=SC2086
    xdotool mousemove ${point[$1]} click 1
    wait_until 1 grep -qx 'lbuttondown 0' "${log[$1]}" && break
  done
  grep -qx 'lbuttondown 0' "${log[$1]}" || fail "$1's window saw no click"
  for name in "${!log[@]}"; do : >"${log[$name]}"; done
}

# back_gives NAME EXPECTED: the back button pressed over NAME's window,
# which alone receives EXPECTED (lines).
back_gives() {
  activate "$1"
  xdotool click 8
  got() { [ "$(cat "${log[$1]}")" = "$2" ]; }
  wait_until 5 got "$1" "$2" || fail "back in $1 gave $(tr '\n' ' ' <"${log[$1]}"), not $(tr '\n' ' ' <<<"$2")"
  sleep 0.5
  got "$1" "$2" || fail "more arrived in $1: $(tr '\n' ' ' <"${log[$1]}")"
  for name in "${!log[@]}"; do
    [ "$name" = "$1" ] || [ ! -s "${log[$name]}" ] || fail "$name received $(tr '\n' ' ' <"${log[$name]}")"
  done
}
copy=$'keydown 17\nkeydown 67\nkeyup 67\nkeyup 17'
paste=$'keydown 17\nkeydown 86\nkeyup 86\nkeyup 17'
own=$'xbuttondown 1\nxbuttonup 1'

back_gives browser "$copy"
back_gives editor "$paste"
back_gives other "$own"
back_gives browser "$copy"

run_tessaro /close || fail "/close did not end cleanly"
wait_until 10 process_gone "$tessaro_pid" || fail "/close did not end the instance"
start_tessaro real
window=$(wait_for_window)
[ -n "$window" ] || fail "the main window did not show again"
# The first device refresh loads the profiles, then makes the marker column.
open_menu $back >/dev/null
back_gives editor "$paste"
wait_until 10 untitled_count_is 0 || fail "the function menu stayed open over another program"
back_gives browser "$copy"

# Editor's profile shown, then removed: editor's back is its own again.
choose_profile_row 2 0 2
remove_shown_profile 2 editor.exe
wait_until 10 eval '[ "$(stored_profiles)" = "browser.exe|Copy" ]' || fail "editor's profile stayed: $(stored_profiles)"
back_gives editor "$own"
back_gives browser "$copy"

run_tessaro /close || fail "/close did not end cleanly"
wait_until 10 process_gone "$tessaro_pid" || fail "/close did not end the instance"
echo "real_app_profiles: ok"
