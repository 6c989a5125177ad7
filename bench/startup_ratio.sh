#!/usr/bin/env bash
# Start-up benchmark: time from starting Tessaro.exe (with one simulated
# mouse connected) until its main window is mapped (polled every few
# milliseconds with xdotool), beside the same for a
# minimal Win32 program that opens one window, both under the same Wine on
# the same virtual display, started alternately N times (default 10) after
# one warm-up start each. Reports both medians, their ratio and the peak
# working set of each (median over the runs).
#
# Usage: bench/startup_ratio.sh [N]
# Builds Release Windows binaries with the benchmarks in build/windows-bench
# (packages from TESSARO_PACKAGE_DIR, default build/native/packages) unless
# TESSARO_BUILD names a build that has them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-10}

if [ -z "${TESSARO_BUILD:-}" ]; then
  TESSARO_BUILD=$root/build/windows-bench
  cmake -S "$root" -B "$TESSARO_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSARO_BENCH=ON -DBUILD_TESTING=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DTESSARO_PACKAGE_DIR="${TESSARO_PACKAGE_DIR:-$root/build/native/packages}" >/dev/null
  cmake --build "$TESSARO_BUILD" --target Tessaro VXLIB vxctl minimal_window_win >/dev/null
fi
export TESSARO_BUILD TESSARO_SOURCE=$root
source "$root/tests/e2e/lib/session.sh"

# One server for every start, as on a running desktop.
wineserver -p

now_ms() { echo $(($(date +%s%N) / 1000000)); }
memory_file=$e2e_dir/peak_memory.txt

# time_start TITLE PROGRAM [ARGS...]: milliseconds until a window titled
# TITLE is mapped; the program's peak working set goes to $memory_file.
time_start() {
  local title=$1
  shift
  # winepath is a Wine start of its own: outside the timed part.
  local start memory_path
  memory_path=$(winepath -w "$memory_file")
  start=$(now_ms)
  TESSARO_PEAK_MEMORY_FILE=$memory_path "$@" >/dev/null 2>&1 &
  local pid=$!
  e2e_pids+=("$pid")
  # xdotool's own --sync looks only every half second: too coarse here.
  local deadline=$((start + 60000))
  until xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; do
    [ "$(now_ms)" -lt "$deadline" ] || fail "$title did not show"
    sleep 0.005
  done
  echo $(($(now_ms) - start)) >"$e2e_dir/elapsed"
  if [ "$title" = Vornel ]; then
    # Time for the first device scan and the model's picture, so the peak
    # working set is that of a window in use.
    sleep 2
    timeout 30 wine "$TESSARO_BUILD/Tessaro.exe" /close >/dev/null 2>&1
  fi
  wait "$pid" || fail "$title ended with status $?"
}

run_tessaro_once() {
  VXLIB_SCENARIO=$(scenario_path demo) time_start Vornel wine "$TESSARO_BUILD/Tessaro.exe"
}
run_minimal_once() {
  time_start "Minimal window" wine "$TESSARO_BUILD/minimal_window_win.exe"
}

run_tessaro_once
run_minimal_once
: >"$e2e_dir/tessaro.ms"
: >"$e2e_dir/minimal.ms"
: >"$e2e_dir/tessaro.bytes"
: >"$e2e_dir/minimal.bytes"
for _ in $(seq "$runs"); do
  for which in tessaro minimal; do
    rm -f "$memory_file"
    "run_${which}_once"
    cat "$e2e_dir/elapsed" >>"$e2e_dir/$which.ms"
    cat "$memory_file" >>"$e2e_dir/$which.bytes"
  done
done

median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
tessaro_ms=$(median "$e2e_dir/tessaro.ms")
minimal_ms=$(median "$e2e_dir/minimal.ms")
tessaro_mb=$(awk -v b="$(median "$e2e_dir/tessaro.bytes")" 'BEGIN { printf "%.1f", b / 1048576 }')
minimal_mb=$(awk -v b="$(median "$e2e_dir/minimal.bytes")" 'BEGIN { printf "%.1f", b / 1048576 }')
echo "runs: $runs each, alternating, after one warm-up start each"
echo "start-up to mapped window, median: Tessaro $tessaro_ms ms, minimal window $minimal_ms ms"
awk -v t="$tessaro_ms" -v m="$minimal_ms" 'BEGIN { printf "ratio: %.2f (goal at most 1.5)\n", t / m }'
echo "peak working set, median: Tessaro $tessaro_mb MB, minimal window $minimal_mb MB (goal under 30 MB)"
