#!/usr/bin/env bash
# Renders the icon drawing peltra.svg into the PNG sizes that the desktop's
# icon theme and the window icon use: hicolor/SIZE/peltra.png for 32, 48, 128
# and 256 pixels. The 16-pixel icon is drawn pixel by pixel in make-16.py, as
# the drawing scaled that far is a blur. The PNG files are committed; run this
# again after changing the drawing. Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
command -v rsvg-convert >/dev/null 2>&1 \
    || { echo "make-png.sh: rsvg-convert not found; apt-get install librsvg2-bin" >&2; exit 1; }
for size in 32 48 128 256; do
    mkdir -p "hicolor/$size"
    rsvg-convert --width "$size" --height "$size" --output "hicolor/$size/peltra.png" peltra.svg
    echo "hicolor/$size/peltra.png"
done
