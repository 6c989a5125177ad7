#!/usr/bin/env bash
# "/close" ends Tessaro with status 0 whatever it was doing: after its
# model list showed the other mouse's picture, in the middle of a language
# switch (which finishes and saves the new language first), and while the
# key capture dialog is open. The Windows test build ends with another
# status when a GDI+ object outlives GDI+, which Windows does not forgive.
source "$(dirname "$0")/lib/session.sh"
source "$(dirname "$0")/lib/markers.sh"
source "$(dirname "$0")/lib/controls.sh"

# start SCENARIO: Tessaro with its window shown and its first device scan done.
start() {
  start_tessaro "$1"
  window=$(wait_for_window)
  [ -n "$window" ] || fail "the main window did not show"
  sleep 3
}
# end_cleanly WHEN [COMMAND...]: "/close" from another start, then COMMAND
# while the instance ends; it must end with status 0.
end_cleanly() {
  local when=$1
  shift
  run_tessaro /close || fail "/close $when did not end cleanly"
  "${@:-true}"
  wait_until 30 process_gone "$tessaro_pid" || fail "/close $when did not end the instance"
  wait "$tessaro_pid" || fail "the instance ended with status $? after /close $when"
}
# open_popup COMMAND...: clicks the screen point that COMMAND prints until
# a popup list or the key capture dialog shows; prints its window.
open_popup() {
  for _ in $(seq 10); do
    # shellcheck disable=SC2046
    xdotool mousemove $("$@") click 1
    wait_until 3 untitled_count_is 1 && break
  done
  untitled_count_is 1 || fail "a click on $* opened nothing"
  newest_untitled
}

start two
open_popup control_point "$window" model_list >/dev/null
end_cleanly "after the model list showed"

# The switch waits at the assignment lock, which another program holds
# until the end has been asked for. Taken once the device refresh that
# follows the first scan by 5 seconds is over, so that only the switch
# waits for it.
start demo
sleep 5
scale=$(xwininfo -id "$window" | awk '/Width:/ { print $2 / 2400 }')
list=$(open_popup control_point "$window" language)
wine "$TESSARO_BUILD/hold_mutex.exe" 'Local\bumutex_RVNLIB' "$(winepath -w "$e2e_dir")\\release" \
  >"$e2e_dir/held" 2>/dev/null &
e2e_pids+=($!)
wait_until 20 grep -qs held "$e2e_dir/held" || fail "the assignment lock could not be taken"
# Deutsch, the second of the ten languages.
# shellcheck disable=SC2046
xdotool mousemove $(list_row_point "$list" "$(python3 -c "print(0.9 * $scale)")" "r r r r r r r r r r" 1) click 1
end_cleanly "during a language switch" touch "$e2e_dir/release"
[ "$(settings_value 'language id')" = 1031 ] || fail "the end cut the language switch short"

start demo
open_popup modifier_point "$window" >/dev/null
end_cleanly "while the key capture dialog is open"
echo "clean_exit: ok"
