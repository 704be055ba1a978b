#!/usr/bin/env bash
# Renders the icon from its SVG source: the PNGs the Qt window and the Linux
# menus use, and the Windows .ico with every size Windows asks for, from the
# small icon of a title bar at 100% to Explorer's largest at 256 pixels;
# and the web page's icons of 192 and 512 pixels, and a maskable one whose
# match keeps to the safe circle on a plain background.
# Needs rsvg-convert (librsvg2-bin) and ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in 16 32; do
  rsvg-convert -w "$size" -h "$size" tubarogas.svg -o "tubarogas-$size.png"
done
sizes=(16 20 24 32 40 48 64 256)
for size in "${sizes[@]}"; do
  rsvg-convert -w "$size" -h "$size" tubarogas.svg -o "$work/$size.png"
done
pngs=()
for size in "${sizes[@]}"; do pngs+=("$work/$size.png"); done
convert "${pngs[@]}" tubarogas.ico
for size in 192 512; do
  rsvg-convert -w "$size" -h "$size" tubarogas.svg -o "tubarogas-$size.png"
done
# Maskable: the picture within the middle 60%, on the theme's light ground.
rsvg-convert -w 308 -h 308 tubarogas.svg -o "$work/inner.png"
convert -size 512x512 xc:'#fff7e0' "$work/inner.png" -gravity center -composite tubarogas-maskable-512.png
