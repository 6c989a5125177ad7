#!/usr/bin/env bash
# Footprint benchmark: Tessaro.exe (with the simulated mouse of
# data/scenarios/demo.json) beside minimal_window_win.exe (a bare Win32
# program that opens one window of the same size), both under the same Wine
# in a throw-away prefix with one persistent wineserver, on the same virtual
# display. Reports side by side:
#   1. start-up: time from the `wine` command until the window's first
#      paint is on the screen, medians of N alternating starts after one
#      warm-up start each, and beside it the time until the window is
#      mapped (bench/first_paint.py watches both; a window maps before it
#      paints); likewise the time until a second start has shown the
#      window from the tray;
#   2. peak working set while shown (VmHWM two seconds after the window
#      maps, once the first device scan has drawn the model), medians;
#   3. working set while waiting in the tray (VmRSS): Tessaro started with
#      "/hide", and again after a second start showed the window and its
#      close widget hid it; each SETTLE seconds (default 10) after hiding,
#      against the bare window's, shown;
#   4. idle: context switches of every thread of each process over IDLE
#      seconds (default 60) without input, Tessaro hidden (both hidden
#      states), the bare window shown, counted in the same minute.
# Memory comes from /proc/PID/status for both programs (what Windows calls
# the working set is the resident set under Wine), context switches from
# /proc/PID/task/*/status. With FOOTPRINT_THREADS=1 the threads that woke
# are listed.
#
# Usage: bench/footprint.sh [N]    (default N 10; IDLE=60 SETTLE=10)
# Builds Release Windows binaries with the benchmarks in build/windows-bench
# unless TESSARO_BUILD names a build that has them; their packages come from
# TESSARO_PACKAGE_DIR, else they are built from data/ as scripts/run.sh
# builds them, so a stale package never gets measured.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-10}
idle_seconds=${IDLE:-60}
settle_seconds=${SETTLE:-10}

if [ -z "${TESSARO_BUILD:-}" ]; then
  TESSARO_BUILD=$root/build/windows-bench
  if [ -z "${TESSARO_PACKAGE_DIR:-}" ]; then
    bash "$root/scripts/build.sh" packages >/dev/null
    TESSARO_PACKAGE_DIR=$root/build/native-rel/packages
  fi
  cmake -S "$root" -B "$TESSARO_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSARO_BENCH=ON -DBUILD_TESTING=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DTESSARO_PACKAGE_DIR="$TESSARO_PACKAGE_DIR" >/dev/null
  cmake --build "$TESSARO_BUILD" --target Tessaro VXLIB minimal_window_win >/dev/null
fi
export TESSARO_BUILD TESSARO_SOURCE=$root
source "$root/tests/e2e/lib/session.sh"

now_ms() { echo $(($(date +%s%N) / 1000000)); }
# status_kib PID FIELD: a size of /proc/PID/status in KiB.
status_kib() { awk -v f="$2:" '$1 == f { print $2 }' "/proc/$1/status"; }
mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }
median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# sleep_until_ms T: sleeps until the wall clock of now_ms reaches T.
sleep_until_ms() {
  local left=$(($1 - $(now_ms)))
  [ "$left" -le 0 ] || sleep "$(awk -v l="$left" 'BEGIN { print l / 1000 }')"
}

# watch_paint TITLE: starts bench/first_paint.py on the window titled TITLE
# and returns once it watches, so its own start-up is counted against no
# program. painted_since START TITLE then waits for its answer: the
# milliseconds from START until the window is painted in $elapsed, until
# it is mapped in $mapped, and the wall clock of its mapping in $mapped_at.
watch_paint() {
  local ready
  exec {paint_watch}< <(exec python3 "$root/bench/first_paint.py" "$1")
  e2e_pids+=("$!")
  read -r -u "$paint_watch" ready || fail "first_paint.py did not start watching for $1"
}
painted_since() {
  local painted_at
  read -r -u "$paint_watch" mapped_at painted_at || fail "$2 did not show"
  exec {paint_watch}<&-
  elapsed=$((painted_at - $1))
  mapped=$((mapped_at - $1))
}

# start_timed TITLE PROGRAM [ARGS...]: starts the program and times its
# window titled TITLE (painted_since); Linux process id in $started (wine
# execs the program in its own process).
start_timed() {
  local title=$1 start
  shift
  watch_paint "$title"
  start=$(now_ms)
  "$@" </dev/null >>"$e2e_wine_log" 2>&1 {paint_watch}<&- &
  started=$!
  e2e_pids+=("$started")
  painted_since "$start" "$title"
}

start_tessaro_timed() {
  start_timed Vornel env VXLIB_SCENARIO="$(scenario_path demo)" wine "$TESSARO_BUILD/Tessaro.exe" "$@"
  e2e_tessaro_pids+=("$started")
  tessaro=$started
}
start_minimal_timed() {
  start_timed "Minimal window" wine "$TESSARO_BUILD/minimal_window_win.exe" /stay
  minimal=$started
}
stop_tessaro() {
  run_tessaro /close || fail "/close did not end Tessaro (status $?)"
  wait "$tessaro" || fail "Tessaro ended with status $?"
}
stop_minimal() {
  kill "$minimal"
  wait "$minimal" 2>/dev/null || true
  wait_until 20 bash -c '! xdotool search --name "^Minimal window\$" >/dev/null 2>&1' || true
}

# Context switches of each thread of a process, "tid name count" per line.
thread_switches() {
  local task
  for task in /proc/"$1"/task/*; do
    awk -v tid="${task##*/}" '
      $1 == "Name:" { name = $2 }
      $1 ~ /ctxt_switches:$/ { n += $2 }
      END { print tid, name, n + 0 }' "$task/status" 2>/dev/null || true
  done
}
# switches_between BEFORE AFTER: what the threads added (a thread new since
# BEFORE counts from 0); the total in $switched, the threads that woke in
# $woke.
switches_between() {
  woke=$(awk 'NR == FNR { was[$1] = $3; next } { d = $3 - was[$1]; if (d > 0) printf "%s(%s) %d, ", $2, $1, d }' "$1" "$2")
  switched=$(awk 'NR == FNR { was[$1] = $3; next } { d = $3 - was[$1]; if (d > 0) t += d } END { print t + 0 }' "$1" "$2")
}

# idle_minute TAG: both programs left alone for IDLE seconds.
idle_minute() {
  thread_switches "$tessaro" >"$e2e_dir/t0"
  thread_switches "$minimal" >"$e2e_dir/m0"
  sleep "$idle_seconds"
  thread_switches "$tessaro" >"$e2e_dir/t1"
  thread_switches "$minimal" >"$e2e_dir/m1"
  switches_between "$e2e_dir/t0" "$e2e_dir/t1"
  echo "$switched" >"$e2e_dir/$1.tessaro"
  [ "${FOOTPRINT_THREADS:-0}" = 0 ] || echo "  Tessaro threads that woke ($1): ${woke:-none}"
  switches_between "$e2e_dir/m0" "$e2e_dir/m1"
  echo "$switched" >"$e2e_dir/$1.minimal"
  [ "${FOOTPRINT_THREADS:-0}" = 0 ] || echo "  bare window threads that woke ($1): ${woke:-none}"
}

# ---- Start-up and memory while shown ----------------------------------------
start_tessaro_timed && sleep 2 && stop_tessaro
start_minimal_timed && sleep 2 && stop_minimal
for which in tessaro minimal; do : >"$e2e_dir/$which.ms" && : >"$e2e_dir/$which.mapped" && : >"$e2e_dir/$which.peak"; done
for _ in $(seq "$runs"); do
  start_tessaro_timed
  echo "$elapsed" >>"$e2e_dir/tessaro.ms"
  echo "$mapped" >>"$e2e_dir/tessaro.mapped"
  # Time for the first device scan and the model's picture, so the peak
  # is that of a window in use.
  sleep_until_ms $((mapped_at + 2000))
  status_kib "$tessaro" VmHWM >>"$e2e_dir/tessaro.peak"
  stop_tessaro
  start_minimal_timed
  echo "$elapsed" >>"$e2e_dir/minimal.ms"
  echo "$mapped" >>"$e2e_dir/minimal.mapped"
  sleep_until_ms $((mapped_at + 2000))
  status_kib "$minimal" VmHWM >>"$e2e_dir/minimal.peak"
  stop_minimal
done

# ---- In the tray ------------------------------------------------------------
start_minimal_timed
has_window() { [ -n "$(main_windows)" ]; }
start_tessaro_hidden() {
  env VXLIB_SCENARIO="$(scenario_path demo)" wine "$TESSARO_BUILD/Tessaro.exe" /hide </dev/null >>"$e2e_wine_log" 2>&1 &
  tessaro=$!
  track_tessaro "$tessaro"
}
start_tessaro_hidden
wait_until 30 has_window || fail "no main window was made"
window=$(main_windows)
hidden() { ! is_viewable "$window"; }
wait_until 30 tray_shown || fail "no tray icon"
wait_until 30 hidden || fail "/hide did not hide the window"
sleep "$settle_seconds"
status_kib "$tessaro" VmRSS >"$e2e_dir/hidden_start.tessaro"
status_kib "$minimal" VmRSS >"$e2e_dir/hidden_start.minimal"
idle_minute idle_start

# Shown by a second start, then hidden by its close widget (in the title
# bar's right corner, see tests/e2e/single_instance.sh).
# The window exists, hidden: first_paint.py waits until it is viewable
# again and painted.
watch_paint Vornel
show_start=$(now_ms)
run_tessaro || fail "a second start did not end cleanly"
painted_since "$show_start" Vornel
echo "$elapsed" >"$e2e_dir/show.ms"
echo "$mapped" >"$e2e_dir/show.mapped"
sleep_until_ms $((mapped_at + 2000))
width=$(xwininfo -id "$window" | awk '/Width:/ { print $2 }')
xdotool mousemove --window "$window" $((width - 4 - 15)) 17 click 1
wait_until 10 hidden || fail "the close widget did not hide the window"
xdotool mousemove 0 0
sleep "$settle_seconds"
status_kib "$tessaro" VmRSS >"$e2e_dir/hidden_shown.tessaro"
status_kib "$minimal" VmRSS >"$e2e_dir/hidden_shown.minimal"
idle_minute idle_shown
stop_tessaro
stop_minimal

# ---- Report -----------------------------------------------------------------
tessaro_ms=$(median "$e2e_dir/tessaro.ms")
minimal_ms=$(median "$e2e_dir/minimal.ms")
tessaro_mapped=$(median "$e2e_dir/tessaro.mapped")
minimal_mapped=$(median "$e2e_dir/minimal.mapped")
tessaro_peak=$(median "$e2e_dir/tessaro.peak")
minimal_peak=$(median "$e2e_dir/minimal.peak")
echo "runs: $runs starts each, alternating, after one warm-up start each; idle $idle_seconds s; tray $settle_seconds s after hiding"
awk -v t="$tessaro_ms" -v m="$minimal_ms" 'BEGIN {
  printf "1. start-up to the first painted window, median: Tessaro %s ms, bare window %s ms, ratio %.2f (goal at most 1.3)\n", t, m, t / m }'
awk -v t="$tessaro_mapped" -v m="$minimal_mapped" 'BEGIN {
  printf "   start-up to the mapped window, median: Tessaro %s ms, bare window %s ms, ratio %.2f\n", t, m, t / m }'
echo "   show from the tray by a second start: painted after $(cat "$e2e_dir/show.ms") ms, mapped after $(cat "$e2e_dir/show.mapped") ms"
awk -v t="$tessaro_peak" -v m="$minimal_peak" 'BEGIN {
  printf "2. peak working set while shown, median: Tessaro %.1f MiB, bare window %.1f MiB, +%.1f MiB (goal at most +20)\n", t / 1024, m / 1024, (t - m) / 1024 }'
for state in hidden_start hidden_shown; do
  label="started with /hide"
  [ "$state" = hidden_start ] || label="shown, then closed to the tray"
  awk -v t="$(cat "$e2e_dir/$state.tessaro")" -v m="$(cat "$e2e_dir/$state.minimal")" -v l="$label" 'BEGIN {
    printf "3. working set in the tray (%s): Tessaro %.1f MiB, bare window (shown) %.1f MiB, %+.1f MiB (goal at most +6)\n", l, t / 1024, m / 1024, (t - m) / 1024 }'
done
for state in idle_start idle_shown; do
  label="started with /hide"
  [ "$state" = idle_start ] || label="shown, then closed to the tray"
  echo "4. context switches in $idle_seconds s idle (Tessaro $label): Tessaro $(cat "$e2e_dir/$state.tessaro"), bare window (shown) $(cat "$e2e_dir/$state.minimal") (goal 0 beyond the bare window's)"
done
