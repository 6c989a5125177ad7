#!/usr/bin/env bash
# Runs one GoogleTest program for ctest and makes its skipped cases seen:
# each is listed at the end of the log with the reason the case gave, and a
# program that passed with every case skipped ends with status 77, which
# ctest reports as "Skipped". A program with some cases run passes as
# before, its skipped ones listed.
# Usage: run_test_program.sh COMMAND...   (e.g. the emulator and the program)
set -uo pipefail
log=$(mktemp)
trap 'rm -f "$log"' EXIT
"$@" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}

# A skipped case prints "<file>:<line>: Skipped", its reason, then
# "[  SKIPPED ] <case> (<time>)".
summary=$(tr -d '\r' <"$log" | awk '
  /^\[ RUN      \] / { name = $4; reason = ""; in_skip = 0; next }
  / Skipped$/ && name != "" { in_skip = 1; next }
  /^\[  SKIPPED \] [^ ]+ \(/ { skipped++; print "skipped: " $4 ": " (reason == "" ? "no reason given" : reason); in_skip = 0; name = ""; next }
  /^\[       OK \] [^ ]+ \(/ { passed++; name = ""; next }
  /^\[  FAILED  \] [^ ]+ \(/ { failed++; name = ""; next }
  in_skip && NF { reason = reason == "" ? $0 : reason " " $0 }
  END { printf "counts: %d %d %d\n", passed, failed, skipped }')
grep '^skipped: ' <<<"$summary" || true
read -r _ passed failed skipped <<<"$(grep '^counts: ' <<<"$summary")"
if [ "$status" -eq 0 ] && [ "$skipped" -gt 0 ] && [ "$passed" -eq 0 ] && [ "$failed" -eq 0 ]; then
  echo "every case of this program was skipped"
  exit 77
fi
exit "$status"
