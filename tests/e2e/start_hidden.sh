#!/usr/bin/env bash
# "/hide" (any case) hides the window at its first tick and keeps the tray
# icon, without drawing the window for that moment; a second start shows it
# drawn whole; "/close" ends the hidden instance.
source "$(dirname "$0")/lib/session.sh"

start_tessaro demo /HIDE
has_window() { [ -n "$(main_windows)" ]; }
wait_until 20 has_window || fail "no main window was made"
window=$(main_windows)
hidden() { ! is_viewable "$window"; }
# The tray icon comes last before the first tick; until then the window
# may not even have shown.
wait_until 20 tray_shown || fail "no tray icon"
wait_until 10 hidden || fail "/hide did not hide the window"
sleep 1
hidden || fail "the hidden window showed again by itself"
process_alive "$tessaro_pid" || fail "the hidden instance ended"
tray_shown || fail "the tray icon went with the window"
# Drawing decodes pictures, which loads the imaging components.
! grep -q windowscodecs "/proc/$tessaro_pid/maps" || fail "the start in the tray drew the window nobody was to see"

run_tessaro || fail "a second start did not end cleanly"
wait_until 10 is_viewable "$window" || fail "a second start did not show the hidden window"
# Unpainted, the window shows the bare display's black beneath it.
drawn() { snapshot "$window" "$e2e_dir/shown.png" && [ "$(identify -format %k "$e2e_dir/shown.png")" -gt 200 ]; }
wait_until 10 drawn || fail "the window shown from the tray was not drawn"

end_tessaro
echo "start_hidden: ok"
