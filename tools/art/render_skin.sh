#!/bin/sh
# Renders the pictures of the "Korvane Graphite" skin from their SVG sources
# in data/art/skin/ into data/skin/skin_korvane/image/.
#
# Needs rsvg-convert (librsvg2-bin) and ImageMagick's convert. The marker and
# check box sources hold several pictures as hidden parts; each picture is
# made by showing its parts through a one-line stylesheet.
#
# Usage: tools/art/render_skin.sh            (from anywhere inside the tree)
set -eu

root=$(CDPATH= cd -- "$(dirname -- "$0")/../.." && pwd)
src="$root/data/art/skin"
out="$root/data/skin/skin_korvane/image"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM

command -v rsvg-convert >/dev/null || { echo "render_skin: rsvg-convert missing (librsvg2-bin)" >&2; exit 1; }
command -v convert >/dev/null || { echo "render_skin: convert missing (imagemagick)" >&2; exit 1; }
mkdir -p "$out"

# part <svg> <output name> <element id>...: renders the listed parts only.
part() {
    svg=$1; name=$2; shift 2
    sel=""
    for id in "$@"; do sel="$sel${sel:+, }#$id"; done
    printf '%s { display: inline !important; }\n' "$sel" > "$tmp/show.css"
    rsvg-convert --stylesheet "$tmp/show.css" -o "$out/$name.png" "$src/$svg"
}

# Button markers 1 to 10, normal and highlight ("r") variant.
n=1
while [ "$n" -le 10 ]; do
    part marker.svg "num$n"  base    "n$n"
    part marker.svg "num${n}r" base-hl "n${n}r"
    n=$((n + 1))
done

# Tilt markers, left and right, normal and highlight variant: the
# direction only, so they never read as one of the numbered button
# markers. Models choose a set from 1 to 4; every set looks the same.
d=1
while [ "$d" -le 4 ]; do
    part marker.svg "tiltl$d"    base    tl
    part marker.svg "tiltl${d}r" base-hl tlr
    part marker.svg "tiltr$d"    base    tr
    part marker.svg "tiltr${d}r" base-hl trr
    d=$((d + 1))
done

# A marker without a number.
part marker.svg blank base

# Check box pictures.
part checkbox.svg uncheck off
part checkbox.svg checked on

# Logo and caption icon are single pictures.
rsvg-convert -o "$out/logo.png" "$src/logo.svg"
rsvg-convert -o "$out/icon.png" "$src/caption_icon.svg"

# Background texture: the mosaic tile with a fine, fixed-seed grain laid over
# it (per-pixel noise, so the tile still repeats without a seam). Stored as
# opaque RGBA without time stamps, so that a re-run gives the same file.
rsvg-convert -o "$tmp/texture.png" "$src/texture.svg"
size=$(convert "$tmp/texture.png" -format '%wx%h' info:)
convert "$tmp/texture.png" \
    \( -size "$size" xc:gray50 -seed 17 -attenuate 0.3 +noise Gaussian -colorspace gray \) \
    -compose overlay -composite -alpha set -strip \
    -define png:exclude-chunks=date,time PNG32:"$out/texture.png"

echo "render_skin: pictures written to $out"
