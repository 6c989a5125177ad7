#!/usr/bin/env bash
# With the driver library's real backend (no scenario): the PC's mouse is
# the catalogue's standard mouse; "Copy" picked for its back button in
# Tessaro's window makes the back button of the real mouse send Ctrl+C to
# another program's window, and that window never sees the back click.
source "$(dirname "$0")/lib/session.sh"
source "$(dirname "$0")/lib/markers.sh"

# Right, middle, back and forward, then the two tilt sides.
rows=6
spaced=6
back=2
# The general list: "Default", "Custom key", "Disabled", a line, then the
# folders "Mouse", "Editing", ...; "Copy" is the first row of "Editing".
top_rows="r r r s r r r r r r"
editing=4
editing_rows="r r r r r r r r s r r r r"

start_tessaro real
window=$(wait_for_window)
[ -n "$window" ] || fail "the main window did not show"
scale=$(xwininfo -id "$window" | awk '/Width:/ { print $2 / 2400 }')

list=$(open_menu $back)
# shellcheck disable=SC2046
xdotool mousemove $(list_row_point "$list" "$scale" "$top_rows" $editing)
wait_until 5 untitled_count_is 2 || fail "the Editing folder opened no list"
child=$(newest_untitled)
sleep 0.5
# shellcheck disable=SC2046
xdotool mousemove $(list_row_point "$child" "$scale" "$editing_rows" 0) click 1
wait_until 5 untitled_count_is 0 || fail "the menu stayed open after the choice"
copy_saved() { grep -q '^Copy|0x08|0|2|0x01,0x11,0x43$' <<<"$(stored_assignments)"; }
wait_until 5 copy_saved || fail "Copy was not saved for the back button: $(stored_assignments)"

# Another program's window, away from Tessaro's, takes the keyboard.
start_input_recorder
log=$recorder_log
# shellcheck disable=SC2086
xdotool mousemove $recorder_point click 1
wait_until 20 recorder_clicked || fail "the recording window saw no click"
: >"$log"

xdotool click 8
expected=$'keydown 17\nkeydown 67\nkeyup 67\nkeyup 17'
got() { [ "$(cat "$log")" = "$expected" ]; }
wait_until 5 got || fail "the back button sent $(tr '\n' ' ' <"$log"), not Ctrl+C"
sleep 0.5
got || fail "more arrived after Ctrl+C (the back click itself?): $(tr '\n' ' ' <"$log")"

end_tessaro
echo "real_back_button: ok"
