#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests (ASan, UBSan),
# data checks, the settings stress test under ThreadSanitizer, a short fuzz
# run, then the Windows tests under Wine on a virtual display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" all

export WINEPREFIX=$root/build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
source "$root/scripts/display.sh"
wineserver -p 120 2>/dev/null || true   # keep one wineserver warm for all tests

status=0
ctest --test-dir "$root/build/native" --output-on-failure -j "$(nproc)" || status=1
# The settings stress test again under ThreadSanitizer, in a tree of its own.
cmake -S "$root" -B "$root/build/tsan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESSARO_TSAN=ON >/dev/null
cmake --build "$root/build/tsan" --target native_tests -j "$(nproc)"
"$root/build/tsan/native_tests" --gtest_filter='SettingsStress.*' || status=1
bash "$root/scripts/fuzz.sh" 20 || status=1
ctest --test-dir "$root/build/windows" --output-on-failure || status=1
wineserver -k 2>/dev/null || true
exit $status
