#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number
# of seconds (default 300). The test command runs them briefly.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-300}
cmake -S "$root" -B "$root/build/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTESSARO_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$root/build/fuzz" -j "$(nproc)"
shopt -s nullglob
for src in "$root"/tests/fuzz/*.cpp; do
  name=$(basename "$src" .cpp)
  corpus=$root/build/fuzz/corpus-$name
  mkdir -p "$corpus"
  seeds=$root/tests/fuzz/seeds/$name
  [ -d "$seeds" ] || seeds=
  echo "fuzz: $name for ${seconds}s"
  "$root/build/fuzz/$name" -max_total_time="$seconds" -print_final_stats=0 "$corpus" $seeds 2>&1 | tail -n 3
done
