#!/usr/bin/env bash
# "/close" ends Tessaro with status 0 after its model list showed the other
# mouse's picture. The Windows test build ends with another status when a
# GDI+ object outlives GDI+, which Windows does not forgive.
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
# end_cleanly WHEN: "/close" from another start; the instance must end with
# status 0.
end_cleanly() {
  local when=$1
  run_tessaro /close || fail "/close $when did not end cleanly"
  wait_until 30 process_gone "$tessaro_pid" || fail "/close $when did not end the instance"
  wait "$tessaro_pid" || fail "the instance ended with status $? after /close $when"
}
# open_popup COMMAND...: clicks the screen point that COMMAND prints until
# a popup list shows; prints its window.
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
echo "clean_exit: ok"
