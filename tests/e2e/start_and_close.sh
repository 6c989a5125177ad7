#!/usr/bin/env bash
# A start records the application identifier and shows the window; only
# "/close" from another start ends the program, and "/close" without a
# running instance ends quietly.
source "$(dirname "$0")/lib/session.sh"

run_tessaro /close || fail "/close without a running instance did not end cleanly"
[ -z "$(main_windows)" ] || fail "/close without a running instance made a window"

start_tessaro demo
window=$(wait_for_window)
[ -n "$window" ] || fail "the main window did not show"

value=$(reg_query 'HKCU\Software\Vornel' AppGUID) || fail "no value AppGUID under HKCU\Software\Vornel"
[ "$value" = "{1BD6E691-A069-4771-A5F2-A37EDE14CAFB}" ] || fail "AppGUID is '$value'"

# Both switches: only the end is asked for.
run_tessaro /close /hide || fail "/close did not end cleanly"
wait_until 10 process_gone "$tessaro_pid" || fail "the running instance did not end on /close"
wait "$tessaro_pid" || fail "the instance ended with status $?"
[ -z "$(main_windows)" ] || fail "a window is left after the end"
echo "start_and_close: ok"
