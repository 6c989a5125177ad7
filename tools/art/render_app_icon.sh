#!/bin/sh
# Renders the program's icon (Tessaro.exe's icon resource, the window and
# tray icon) from the caption icon's source, data/art/skin/caption_icon.svg,
# into src/shell/app_icon.ico with the sizes Windows asks for.
# Needs rsvg-convert (librsvg2-bin) and icotool (icoutils).
set -eu

root=$(CDPATH= cd -- "$(dirname -- "$0")/../.." && pwd)
svg="$root/data/art/skin/caption_icon.svg"
out="$root/src/shell/app_icon.ico"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM

command -v rsvg-convert >/dev/null || { echo "render_app_icon: rsvg-convert missing (librsvg2-bin)" >&2; exit 1; }
command -v icotool >/dev/null || { echo "render_app_icon: icotool missing (icoutils)" >&2; exit 1; }

for size in 16 24 32 48 64 256; do
  rsvg-convert --background-color=none -w "$size" -h "$size" -o "$tmp/$size.png" "$svg"
done
# The largest size stays PNG inside the icon; the others are bitmaps.
icotool -c -o "$out" "$tmp/16.png" "$tmp/24.png" "$tmp/32.png" "$tmp/48.png" "$tmp/64.png" -r "$tmp/256.png"
