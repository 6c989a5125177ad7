#!/usr/bin/env bash
# The global settings: the left hand check box swaps the system's mouse
# buttons and back; the slowdown check box hands the driver its modifier
# keys (and 0 when switched off) and is stored, so a new start sends them
# again.
source "$(dirname "$0")/lib/session.sh"
source "$(dirname "$0")/lib/markers.sh"
source "$(dirname "$0")/lib/controls.sh"

start_tessaro demo
window=$(wait_for_window)
[ -n "$window" ] || fail "the main window did not show"
slowdown_sent() { vxctl '{"cmd":"state"}' | tr -d '\r' | python3 -c 'import json, sys; print(json.load(sys.stdin)["slowdown_modifier"])'; }
sent_is() { [ "$(slowdown_sent)" = "$1" ]; }
stored_is() { [ -f "$SETTINGS_FILE" ] && [ "$(settings_value 'slowdown enable')" = "$1" ]; }
swapped_is() { [ "$(buttons_swapped)" = "$1" ]; }
wait_until 20 sent_is 0 || fail "the driver has slowdown keys before any were chosen"
# The first device scan loads the (missing) settings file.
wait_for_marker_column

[ "$(buttons_swapped)" != 1 ] || fail "the buttons are swapped before the left hand box was checked"
click_control "$window" left_hand
wait_until 5 swapped_is 1 || fail "checking left hand did not swap the buttons"
# The box is unchecked with the same (first) button: the panel takes the
# press whichever button it is.
sleep 0.5
click_control "$window" left_hand
wait_until 5 swapped_is 0 || fail "unchecking left hand did not restore the buttons"

click_control "$window" slowdown
wait_until 5 sent_is 1 || fail "slowdown on did not send its keys (Ctrl): $(slowdown_sent)"
wait_until 5 stored_is 1 || fail "slowdown on was not stored"
[ "$(settings_value 'slowdown modifier')" = 1 ] || fail "the slowdown keys were stored as $(settings_value 'slowdown modifier')"

end_tessaro
start_tessaro demo
window=$(wait_for_window)
[ -n "$window" ] || fail "the main window did not show again"
wait_until 20 sent_is 1 || fail "a new start did not send the stored slowdown keys"
wait_for_marker_column
click_control "$window" slowdown
wait_until 5 sent_is 0 || fail "slowdown off still leaves keys with the driver: $(slowdown_sent)"
wait_until 5 stored_is 0 || fail "slowdown off was not stored"

end_tessaro
echo "global_settings: ok"
