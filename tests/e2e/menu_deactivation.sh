#!/usr/bin/env bash
# Menus close like the system's menus when Tessaro loses the activation: a
# click into another program's window closes an open function menu, and
# the tray menu, which opens while another program is in front, opens and
# then closes on such a click too.
source "$(dirname "$0")/lib/session.sh"
source "$(dirname "$0")/lib/markers.sh"
source "$(dirname "$0")/lib/controls.sh"

# The demo's mouse: buttons 1 to 7 and a tilting wheel.
rows=9
spaced=9

start_tessaro demo
window=$(wait_for_window)
[ -n "$window" ] || fail "the main window did not show"
wait_until 20 tray_shown || fail "no tray icon"

# Another program's window below the tray, where no menu opens.
start_input_recorder 20 940
# click_elsewhere: one click into the other program's window, seen by it.
click_elsewhere() {
  : >"$recorder_log"
  # shellcheck disable=SC2086
  xdotool mousemove $recorder_point click 1
  wait_until 5 recorder_clicked || fail "the recording window saw no click"
}

list=$(open_menu 0)
is_viewable "$list" || fail "the function menu did not stay open"
click_elsewhere
wait_until 5 untitled_count_is 0 || fail "the function menu stayed open over the other program"

opened=false
for _ in $(seq 5); do
  click_elsewhere
  click_tray_icon || fail "no tray window to click"
  if wait_until 3 tray_menu_count_is 1; then
    opened=true
    break
  fi
done
$opened || fail "the tray icon opened no menu while another program was in front"
click_elsewhere
wait_until 5 tray_menu_count_is 0 || fail "the tray menu stayed open over the other program"
process_alive "$tessaro_pid" || fail "closing the menus ended the program"

run_tessaro /close || fail "/close did not end cleanly"
wait_until 10 process_gone "$tessaro_pid" || fail "/close did not end the instance"
echo "menu_deactivation: ok"
