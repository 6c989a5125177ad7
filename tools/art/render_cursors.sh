#!/bin/sh
# Renders the cursors of the driver library's cut tool from their SVG
# sources in data/art/cursor/ into src/shell/cursors/*.cur, each with the
# sizes 32, 48 and 64 px (100 %, 150 % and 200 % display scale) and its hot
# spot scaled to each size. src/shell/release_win.rc names them by id.
# Needs rsvg-convert (librsvg2-bin) and icotool (icoutils).
set -eu

root=$(CDPATH= cd -- "$(dirname -- "$0")/../.." && pwd)
src="$root/data/art/cursor"
out="$root/src/shell/cursors"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM

command -v rsvg-convert >/dev/null || { echo "render_cursors: rsvg-convert missing (librsvg2-bin)" >&2; exit 1; }
command -v icotool >/dev/null || { echo "render_cursors: icotool missing (icoutils)" >&2; exit 1; }
mkdir -p "$out"

# le16 FILE OFFSET VALUE: writes a little-endian 16-bit value in place.
le16() {
  printf "$(printf '\\%03o\\%03o' $(($3 & 255)) $(($3 >> 8)))" |
    dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

# cursor NAME X Y: hot spot (X, Y) in the 32 px source.
cursor() {
  name=$1; x=$2; y=$3
  files=""
  for size in 32 48 64; do
    rsvg-convert --background-color=none -w "$size" -h "$size" -o "$tmp/$name-$size.png" "$src/$name.svg"
    files="$files $tmp/$name-$size.png"
  done
  # icotool gives every image the same hot spot; each directory entry
  # (16 bytes from offset 6, hot spot at +4 and +6) gets its own.
  # shellcheck disable=SC2086
  icotool -c --cursor -b 32 -X "$x" -Y "$y" -o "$out/$name.cur" $files
  i=0
  for size in 32 48 64; do
    le16 "$out/$name.cur" $((6 + 16 * i + 4)) $((x * size / 32))
    le16 "$out/$name.cur" $((6 + 16 * i + 6)) $((y * size / 32))
    i=$((i + 1))
  done
}

cursor crosshair 16 16
cursor select 8 8
cursor move 16 16
cursor size_we 16 16
cursor size_ns 16 16
cursor size_nwse 16 16
cursor size_nesw 16 16
