#!/usr/bin/env bash
# One instance: a second start without arguments shows the first
# instance's window, also when its close widget hid it, and ends without a
# window of its own. (Minimising needs a window manager, which the virtual
# display has not.)
source "$(dirname "$0")/lib/session.sh"

start_tessaro demo
window=$(wait_for_window)
[ -n "$window" ] || fail "the main window did not show"
hidden() { ! is_viewable "$window"; }

run_tessaro || fail "a second start did not end cleanly"
[ "$(main_windows)" = "$window" ] || fail "a second start left a window of its own: $(main_windows)"

# The close widget sits in the title bar's right corner, centred at
# (width - 4 - 0.8 F, 0.9 F), F being the interface font size: 1/100 of
# the virtual display's 1920-pixel width.
width=$(xwininfo -id "$window" | awk '/Width:/ { print $2 }')
xdotool mousemove --window "$window" $((width - 4 - 15)) 17 click 1
wait_until 10 hidden || fail "the close widget did not hide the window"
process_alive "$tessaro_pid" || fail "the close widget ended the program"
run_tessaro || fail "a start after hiding did not end cleanly"
wait_until 10 is_viewable "$window" || fail "a second start did not show the hidden window"
[ "$(main_windows)" = "$window" ] || fail "a second start left a window of its own: $(main_windows)"

end_tessaro
echo "single_instance: ok"
