#!/usr/bin/env bash
# Builds the native tree (portable core, package tool, packages, native
# tests) and then the Windows tree (VXLIB.dll, Tessaro.exe, Wine tests).
# Usage: scripts/build.sh [native|windows|all]   (default: all)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
what=${1:-all}
jobs=$(nproc)

if [ "$what" = native ] || [ "$what" = all ]; then
  cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$root/build/native" -j "$jobs"
fi
if [ "$what" = windows ] || [ "$what" = all ]; then
  cmake -S "$root" -B "$root/build/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DTESSARO_PACKAGE_DIR="$root/build/native/packages" >/dev/null
  cmake --build "$root/build/windows" -j "$jobs"
fi
