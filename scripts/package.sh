#!/usr/bin/env bash
# Makes Tessaro's release files in build/dist: the installer
# TessaroSetup-<version>.exe and the portable Tessaro-<version>-portable.zip,
# both with Tessaro.exe and VXLIB.dll only.
#
#   scripts/package.sh
#       from a clean checkout: set-up (scripts/setup.sh), a Release build in
#       build/native-rel (the packages) and build/windows-rel, then the files.
#   scripts/package.sh --package-only [--build DIR] [--out DIR]
#       the release files only, from an existing Windows build
#       (default build/windows-rel) into DIR (default build/dist).
#
# Both binaries may import system DLLs of a clean Windows only; a build that
# needs anything else (a MinGW runtime DLL, say) is refused.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

package_only=0
build=$root/build/windows-rel
out=$root/build/dist
while [ $# -gt 0 ]; do
  case $1 in
    --package-only) package_only=1 ;;
    --build) build=$(realpath -m "$2"); shift ;;
    --out) out=$(realpath -m "$2"); shift ;;
    *) echo "usage: $0 [--package-only [--build DIR] [--out DIR]]" >&2; exit 2 ;;
  esac
  shift
done

if [ $package_only = 0 ]; then
  bash "$root/scripts/setup.sh"
  bash "$root/scripts/build.sh" release
fi

# ---- The release files ------------------------------------------------------
for tool in makensis zip x86_64-w64-mingw32-objdump x86_64-w64-mingw32-strip; do
  command -v "$tool" >/dev/null || { echo "package: $tool missing (run scripts/setup.sh)" >&2; exit 1; }
done
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt" 2>/dev/null || true)
[ -n "$version" ] || { echo "package: no configured build in $build" >&2; exit 1; }
for file in Tessaro.exe VXLIB.dll; do
  [ -f "$build/$file" ] || { echo "package: $build/$file missing; build it first" >&2; exit 1; }
done

# DLLs that every Windows 7 to 11 installation has.
system_dlls=" advapi32.dll comctl32.dll gdi32.dll gdiplus.dll kernel32.dll msimg32.dll msvcrt.dll
  ole32.dll oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll ws2_32.dll "
shipped_dlls=" vxlib.dll "

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stage=$work/Tessaro
mkdir -p "$stage"
cp "$build/Tessaro.exe" "$build/VXLIB.dll" "$stage/"
# Symbols are of no use to a user; the DLL keeps its export table.
x86_64-w64-mingw32-strip --strip-all "$stage/Tessaro.exe"
x86_64-w64-mingw32-strip --strip-unneeded "$stage/VXLIB.dll"

status=0
for file in Tessaro.exe VXLIB.dll; do
  while read -r dll; do
    lower=${dll,,}
    case "$system_dlls$shipped_dlls" in
      *" $lower"[[:space:]]*) ;;
      *) echo "package: $file imports $dll, which a clean Windows lacks" >&2; status=1 ;;
    esac
  done < <(x86_64-w64-mingw32-objdump -p "$stage/$file" | sed -n 's/^[[:space:]]*DLL Name: //p')
done
[ $status = 0 ] || exit 1

# Same input, same archive: fixed times (the last commit's) and order.
stamp=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || date +%s)}
touch -d "@$stamp" "$stage/Tessaro.exe" "$stage/VXLIB.dll" "$stage"

mkdir -p "$out"
zip_file=$out/Tessaro-$version-portable.zip
setup_file=$out/TessaroSetup-$version.exe
rm -f "$zip_file" "$setup_file"
(cd "$work" && TZ=UTC zip -q -X -D "$zip_file" Tessaro/Tessaro.exe Tessaro/VXLIB.dll)
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$setup_file" "$root/installer/tessaro.nsi"
(cd "$out" && sha256sum "$(basename "$setup_file")" "$(basename "$zip_file")" > SHA256SUMS)
echo "package: $setup_file"
echo "package: $zip_file"
