#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number
# of seconds (default 300). The test command runs them briefly. Each run's
# whole report is in build/fuzz/<target>.log and is shown when the target
# fails; the input that made it fail is kept in build/fuzz/crashes/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-300}
cmake -S "$root" -B "$root/build/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTESSARO_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$root/build/fuzz" -j "$(nproc)"
crashes=$root/build/fuzz/crashes
mkdir -p "$crashes"
# In memory where the system offers it, as the tests' own folders are.
scratch_root=${TMPDIR:-/dev/shm}
[ -d "$scratch_root" ] || scratch_root=/tmp
status=0
shopt -s nullglob
for src in "$root"/tests/fuzz/*.cpp; do
  name=$(basename "$src" .cpp)
  corpus=$root/build/fuzz/corpus-$name
  log=$root/build/fuzz/$name.log
  mkdir -p "$corpus"
  seeds=$root/tests/fuzz/seeds/$name
  [ -d "$seeds" ] || seeds=
  echo "fuzz: $name for ${seconds}s"
  # libFuzzer ends without running static destructors, so what a target
  # leaves in its temporary folders goes with this one.
  scratch=$(mktemp -d -p "$scratch_root" tessaro-fuzz-XXXXXX)
  # shellcheck disable=SC2086
  if TMPDIR=$scratch "$root/build/fuzz/$name" -max_total_time="$seconds" -print_final_stats=0 \
    -artifact_prefix="$crashes/$name-" "$corpus" $seeds >"$log" 2>&1; then
    tail -n 1 "$log"
  else
    echo "fuzz: $name failed; its report ($log):"
    cat "$log"
    status=1
  fi
  rm -rf "$scratch"
done
exit $status
