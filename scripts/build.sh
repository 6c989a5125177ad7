#!/usr/bin/env bash
# Builds the native tree (portable core, package tool, packages, native
# tests) and then the Windows tree (VXLIB.dll, Tessaro.exe, Wine tests).
# Usage: scripts/build.sh [native|windows|all|release|packages]   (default: all)
#   release: only what the program needs, in Release and without tests: the
#   package tool and the packages in build/native-rel, VXLIB.dll and
#   Tessaro.exe in build/windows-rel (what scripts/run.sh starts and
#   scripts/package.sh ships).
#   packages: the first half of release, the package tool and the packages.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
what=${1:-all}
jobs=$(nproc)

if [ "$what" = release ] || [ "$what" = packages ]; then
  cmake -S "$root" -B "$root/build/native-rel" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DTESSARO_SANITIZE=OFF -DBUILD_TESTING=OFF >/dev/null
  cmake --build "$root/build/native-rel" --target packages -j "$jobs"
  [ "$what" = packages ] && exit 0
  cmake -S "$root" -B "$root/build/windows-rel" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DTESSARO_PACKAGE_DIR="$root/build/native-rel/packages" >/dev/null
  cmake --build "$root/build/windows-rel" --target Tessaro VXLIB -j "$jobs"
  exit 0
fi
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
