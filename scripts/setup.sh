#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test
# Tessaro, fetches Debian's zlib source (for minizip in the Windows build)
# and makes the throw-away Wine prefix. Safe to run again: it only does
# what is missing.
# Usage: scripts/setup.sh [run|all]   (default: all)
#   run: only what scripts/run.sh needs to build and start the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# What the run command builds and starts with: the compilers, the Windows
# cross tools, the libraries of the package tool and the program, Wine, and
# the virtual display with its screenshot.
run_packages=(
  cmake ninja-build g++
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xdotool x11-utils imagemagick fonts-dejavu-core
  nlohmann-json3-dev libminizip-dev zlib1g-dev libz-mingw-w64-dev dpkg-dev
)
# What only the tests, fuzzing, benchmarks and the release files need.
test_packages=(
  clang libclang-rt-14-dev python3 mingw-w64-tools libx11-6
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  zip unzip nsis icoutils
)
case "${1:-all}" in
  run) packages=("${run_packages[@]}") ;;
  all) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: scripts/setup.sh [run|all]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# minizip for Windows is compiled from Debian's zlib source package.
third=$root/build/third_party
if [ ! -f "$third/zlib/contrib/minizip/unzip.c" ]; then
  if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    echo "setup: adding a deb-src entry for apt-get source"
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
        > /etc/apt/sources.list.d/tessaro-deb-src.sources
    else
      grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' > /etc/apt/sources.list.d/tessaro-deb-src.list
    fi
    apt-get update -qq
  fi
  rm -rf "$third/fetch" && mkdir -p "$third/fetch"
  # The newest version may only be on a mirror without sources; try each.
  for v in $(apt-cache showsrc zlib | sed -n 's/^Version: //p' | sort -ru); do
    (cd "$third/fetch" && apt-get source -qq "zlib=$v" >/dev/null 2>&1) && break
  done
  src=$(find "$third/fetch" -maxdepth 1 -mindepth 1 -type d -name 'zlib-*' | head -n 1)
  [ -n "$src" ] || { echo "setup: apt-get source zlib failed" >&2; exit 1; }
  rm -rf "$third/zlib" && mv "$src" "$third/zlib" && rm -rf "$third/fetch"
fi

# The throw-away Wine prefix used by every test and by the run command.
export WINEPREFIX=$root/build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "setup: creating Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
echo "setup: ready"
