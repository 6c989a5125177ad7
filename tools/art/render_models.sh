#!/usr/bin/env bash
# Renders the model pictures: every data/art/model/NN_PPPP.svg becomes
# NN_PPPP.png (transparent background, the SVG's own pixel size) in each
# package folder of that model: NN_PPPP, NN_PPPPBT, NN_PPPP_ALT and
# NN_PPPPBT_ALT under data/model/model_korvane/, where they exist.
#
# Needs rsvg-convert (Debian package librsvg2-bin). Run tools/art/models.py
# first when the model table changed; it writes the SVG files and folders.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
art=$root/data/art/model
pkg=$root/data/model/model_korvane

command -v rsvg-convert >/dev/null || { echo "render_models: rsvg-convert missing (apt-get install librsvg2-bin)" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
status=0
count=0
for svg in "$art"/*.svg; do
  stem=$(basename "$svg" .svg)
  png=$tmp/$stem.png
  rsvg-convert --format=png --background-color=none -o "$png" "$svg"
  placed=0
  for folder in "$stem" "${stem}BT" "${stem}_ALT" "${stem}BT_ALT"; do
    if [ -d "$pkg/$folder" ]; then
      cp "$png" "$pkg/$folder/$stem.png"
      placed=$((placed + 1))
    fi
  done
  if [ "$placed" -eq 0 ]; then
    echo "render_models: no package folder for $stem" >&2
    status=1
  fi
  count=$((count + 1))
done
echo "render_models: $count pictures rendered"
exit $status
