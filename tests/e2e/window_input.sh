#!/usr/bin/env bash
# Input to the main window: Esc and Alt+F4 do not end the program (only a
# requested end does), and the background drags the window like a title
# bar.
source "$(dirname "$0")/lib/session.sh"

start_tessaro demo
window=$(wait_for_window)
[ -n "$window" ] || fail "the main window did not show"
sleep 1
xdotool windowfocus --sync "$window"
visible_windows() { xdotool search --onlyvisible --name '.*' 2>/dev/null | wc -l; }

# The keyboard reaches the window: Alt+Space opens its system menu, Esc
# closes that menu again.
before=$(visible_windows)
xdotool key alt+space
more_windows() { [ "$(visible_windows)" -gt "$before" ]; }
wait_until 5 more_windows || fail "keys do not reach the window; the test cannot judge Esc and Alt+F4"
xdotool key Escape
fewer_windows() { [ "$(visible_windows)" -le "$before" ]; }
wait_until 5 fewer_windows || fail "Esc did not close the system menu"

for keys in Escape alt+F4 Escape alt+F4; do
  xdotool key "$keys"
  sleep 0.5
  process_alive "$tessaro_pid" || fail "$keys ended the program"
  is_viewable "$window" || fail "$keys hid the window"
done

position() { xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x, y }'; }
read -r x0 y0 <<<"$(position)"
# A point of the body that no widget covers.
xdotool mousemove --window "$window" 300 400 mousedown 1
xdotool mousemove_relative --sync 60 40
xdotool mousemove_relative --sync 60 40
xdotool mouseup 1
moved() { read -r x y <<<"$(position)"; [ "$x" -eq $((x0 + 120)) ] && [ "$y" -eq $((y0 + 80)) ]; }
wait_until 5 moved || fail "dragging the background moved the window from $x0,$y0 to $(position), not by 120,80"

end_tessaro
echo "window_input: ok"
