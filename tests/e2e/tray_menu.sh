#!/usr/bin/env bash
# The tray icon's menu, opened by a single click: "open setting" shows the
# hidden window again, "exit" ends the program.
source "$(dirname "$0")/lib/session.sh"
source "$(dirname "$0")/lib/markers.sh"
source "$(dirname "$0")/lib/controls.sh"

# "open setting", a line, "exit".
tray_rows="r s r"

start_tessaro demo
window=$(wait_for_window)
[ -n "$window" ] || fail "the main window did not show"
wait_until 20 tray_shown || fail "no tray icon"
scale=$(xwininfo -id "$window" | awk '/Width:/ { print 0.9 * $2 / 2400 }')
sleep 1

# open_tray_menu: clicks the tray icon, whose menu shows half a second
# after the click; prints the menu's window.
open_tray_menu() {
  click_tray_icon || fail "no tray window to click"
  wait_until 20 tray_menu_count_is 1 || fail "the tray icon opened no menu"
  tray_menu_windows | tail -1
}

# The close widget hides the window (see single_instance.sh for its place).
width=$(xwininfo -id "$window" | awk '/Width:/ { print $2 }')
xdotool mousemove --window "$window" $((width - 4 - 15)) 17 click 1
hidden() { ! is_viewable "$window"; }
wait_until 10 hidden || fail "the close widget did not hide the window"

menu=$(open_tray_menu)
# shellcheck disable=SC2046
xdotool mousemove $(list_row_point "$menu" "$scale" "$tray_rows" 0) click 1
wait_until 10 is_viewable "$window" || fail "open setting did not show the window"
menu_closed() { ! is_viewable "$menu"; }
wait_until 5 menu_closed || fail "the tray menu stayed open"
process_alive "$tessaro_pid" || fail "open setting ended the program"

menu=$(open_tray_menu)
# shellcheck disable=SC2046
xdotool mousemove $(list_row_point "$menu" "$scale" "$tray_rows" 1) click 1
wait_until 10 process_gone "$tessaro_pid" || fail "exit did not end the program"
wait "$tessaro_pid" || fail "the program ended with status $?"
[ -z "$(main_windows)" ] || fail "a window is left after the end"
tray_gone() { ! tray_shown; }
wait_until 5 tray_gone || fail "the tray icon stayed after the end"
echo "tray_menu: ok"
