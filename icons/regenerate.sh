#!/usr/bin/env bash
# Renders the icon from its SVG source: the PNGs the Qt window and the Linux
# menus use, and the Windows .ico with every size Windows asks for, from the
# small icon of a title bar at 100% to Explorer's largest at 256 pixels.
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
convert $(for size in "${sizes[@]}"; do echo "$work/$size.png"; done) tubarogas.ico
