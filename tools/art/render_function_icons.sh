#!/bin/sh
# Renders the function icons: every data/art/function/NAME.svg becomes
# data/function/function_tirro/image/NAME.png, 64 x 64 px with a transparent
# background. Needs rsvg-convert (Debian package librsvg2-bin).
#
# Usage: tools/art/render_function_icons.sh [NAME...]
#   without names every source is rendered; PNGs whose source is gone are
#   reported (not deleted), so that the manifest can be brought in line.
set -eu

root=$(cd "$(dirname "$0")/../.." && pwd)
src="$root/data/art/function"
out="$root/data/function/function_tirro/image"
size=64

if ! command -v rsvg-convert >/dev/null 2>&1; then
  echo "render_function_icons: rsvg-convert not found (apt-get install librsvg2-bin)" >&2
  exit 1
fi

mkdir -p "$out"

if [ "$#" -eq 0 ]; then
  set -- $(cd "$src" && ls *.svg | sed 's/\.svg$//')
fi

status=0
for name in "$@"; do
  svg="$src/$name.svg"
  if [ ! -f "$svg" ]; then
    echo "render_function_icons: no source $svg" >&2
    status=1
    continue
  fi
  rsvg-convert --width "$size" --height "$size" --format png \
    --output "$out/$name.png" "$svg"
done

for png in "$out"/*.png; do
  [ -e "$png" ] || continue
  name=$(basename "$png" .png)
  if [ ! -f "$src/$name.svg" ]; then
    echo "render_function_icons: $png has no source" >&2
  fi
done

exit "$status"
