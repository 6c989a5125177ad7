#!/usr/bin/env bash
# A change of the display scale: sent WM_DPICHANGED (as Windows sends it when
# the window moves to a monitor of another scale), the window takes the
# suggested rectangle and is laid out again at the new size, pixel for pixel
# as a start at that size lays it out. The reference is a start on a display
# 2400 pixels wide: a window of 1440 x 960 with an interface font of 24
# pixels, which is what 125 % of a start on a 1920 x 1080 display gives.
source "$(dirname "$0")/lib/session.sh"
source "$(dirname "$0")/lib/markers.sh"
source "$(dirname "$0")/lib/controls.sh"

# use_display WIDTHxHEIGHT: ends this prefix's Wine processes, which keep
# the display they started on, and makes a virtual display of that size the
# one the next ones use.
use_display() {
  wineserver -k 2>/dev/null || true
  wineserver -w
  local file
  file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$file" >/dev/null 2>&1 &
  e2e_pids+=("$!")
  wait_until 10 test -s "$file" || fail "no virtual display of $1"
  DISPLAY=":$(head -n 1 "$file")"
  export DISPLAY
  rm -f "$file"
  display_works() { xdpyinfo >/dev/null 2>&1; }
  wait_until 10 display_works || fail "the virtual display of $1 does not answer"
}

geometry() { xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
  /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }'; }

# start_and_wait_for_scan: Tessaro with one stored assignment (Copy on
# button 3), once the first device scan has programmed it; the pointer
# away from the window.
start_and_wait_for_scan() {
  write_settings 1033 "$(settings_entry "$(event_of "$DEMO_FIELDS" 0x08)" Copy)"
  start_tessaro demo
  window=$(wait_for_window)
  [ -n "$window" ] || fail "the main window did not show"
  copy_programmed() { [ "$(triggers_where 'hid_button == 8 and press == [1, 17, 67]')" -eq 1 ]; }
  wait_until 20 copy_programmed || fail "the first device scan did not program the stored assignment"
  xdotool mousemove 0 0
}

# poll SECONDS COMMAND...: runs the command every half second until it
# succeeds, for at most SECONDS by the clock (each try takes pictures).
poll() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.5
  done
}

picture=$e2e_dir/window.png
reference=$e2e_dir/reference.png
# Whether the window's picture is the one taken at the last call.
settled() {
  window_picture "$e2e_dir/next.png" "$window"
  if [ -f "$picture" ] && same_picture "$picture" "$e2e_dir/next.png"; then return 0; fi
  mv "$e2e_dir/next.png" "$picture"
  return 1
}

use_display 2400x1600
start_and_wait_for_scan
[ "$(geometry)" = "480 320 1440 960" ] || fail "a start on 2400 x 1600 gave the window $(geometry)"
poll 30 settled || fail "the started window never settled"
mv "$picture" "$reference"
run_tessaro /close || fail "/close did not end cleanly"
wait_until 10 process_gone "$tessaro_pid" || fail "/close did not end the instance"

use_display 1920x1080
rm -f "$picture"
start_and_wait_for_scan
[ "$(geometry)" = "384 156 1152 768" ] || fail "a start on 1920 x 1080 gave the window $(geometry)"
wine "$TESSARO_BUILD/send_dpi_change.exe" Vornel 120 240 60 1440 960 ||
  fail "WM_DPICHANGED could not be sent (status $?)"
moved() { [ "$(geometry)" = "240 60 1440 960" ]; }
wait_until 10 moved || fail "the window is at $(geometry), not at the suggested 240 60 1440 960"
as_started() { window_picture "$picture" "$window" && same_picture "$picture" "$reference"; }
poll 30 as_started ||
  fail "the rescaled window differs from a start at its size in $(pictures_differ_by "$picture" "$reference") pixels"

run_tessaro /close || fail "/close did not end cleanly"
wait_until 10 process_gone "$tessaro_pid" || fail "/close did not end the instance"
echo "display_scale: ok"
