#!/usr/bin/env bash
# Draws the program icon (a blue tile with a white "Q" whose tail is a download arrow) and writes
# it as PNGs of 48, 32, 24 and 16 pixels and as a Windows icon holding all four.
# Needs ImageMagick 6 (convert). Run from anywhere; writes beside this script.
set -euo pipefail
cd "$(dirname "$0")"
master=$(mktemp --suffix=.png)
trap 'rm -f "$master"' EXIT
convert -size 256x256 xc:none \
  -fill '#1f6fd1' -draw 'roundrectangle 10,10 245,245 52,52' \
  -fill none -stroke white -strokewidth 30 -draw 'circle 118,114 118,46' \
  -stroke none -fill '#ffb300' \
  -draw 'polygon 150,136 196,136 196,170 222,170 173,222 124,170 150,170' \
  "$master"
for size in 48 32 24 16; do
  convert "$master" -filter Lanczos -resize ${size}x${size} -depth 8 PNG32:program-$size.png
done
convert program-48.png program-32.png program-24.png program-16.png program.ico
