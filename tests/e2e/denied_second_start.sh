#!/usr/bin/env bash
# A running instance whose show event a later start may only signal, not
# make as its own (as when the instance runs as administrator and the
# later start does not): the later start is a second start all the same.
# It shows the running instance's window and ends at once without one of
# its own; the running instance goes on and still ends on "/close".
source "$(dirname "$0")/lib/session.sh"

start_tessaro demo
window=$(wait_for_window)
[ -n "$window" ] || fail "the main window did not show"
wine "$TESSARO_BUILD/restrict_event.exe" QUARN_KORVANE_NEW_TESSARO_DRIVER >/dev/null 2>&1 ||
  fail "the running instance's show event could not be restricted"

# Hidden by its close widget (see single_instance.sh), so that the second
# start's request shows.
width=$(xwininfo -id "$window" | awk '/Width:/ { print $2 }')
xdotool mousemove --window "$window" $((width - 4 - 15)) 17 click 1
hidden() { ! is_viewable "$window"; }
wait_until 10 hidden || fail "the close widget did not hide the window"

run_tessaro || fail "a second start that cannot make the show event did not end at once"
[ "$(main_windows)" = "$window" ] || fail "the second start made a window of its own: $(main_windows)"
wait_until 10 is_viewable "$window" || fail "the second start did not show the running instance's window"

run_tessaro /close || fail "/close did not end cleanly"
wait_until 10 process_gone "$tessaro_pid" || fail "/close did not end the running instance"
wait "$tessaro_pid" || fail "the running instance ended with status $?"
echo "denied_second_start: ok"
