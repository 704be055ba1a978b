#!/usr/bin/env bash
# Renders the icon's PNGs and the Windows .ico from its SVG source.
# Needs rsvg-convert (librsvg2-bin) and ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32; do
  rsvg-convert -w "$size" -h "$size" tubarogas.svg -o "tubarogas-$size.png"
done
convert tubarogas-16.png tubarogas-32.png tubarogas.ico
