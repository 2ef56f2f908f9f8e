#!/usr/bin/env bash
# Remakes the Targa pictures written by ImageMagick and the reference pixels of each (NAME.ppm, ImageMagick's
# reading of NAME.tga).
set -euo pipefail
cd "$(dirname "$0")"
rm -f ./*.tga ./*.ppm
src=$(mktemp --suffix=.png)
trap 'rm -f "$src"' EXIT
convert -size 29x19 gradient:'#ff2000'-'#0030ff' -fill '#20c040' -draw 'circle 14,9 20,14' \
  -fill white -draw 'rectangle 2,2 8,6' -depth 8 "$src"
convert "$src" -type TrueColor -compress none rgb24.tga
convert "$src" -type TrueColor -compress RLE rgb24-rle.tga
convert "$src" -alpha set -channel A -fx 0.5 +channel -type TrueColorAlpha -compress none rgba32.tga
convert "$src" -alpha set -channel A -fx 0.5 +channel -type TrueColorAlpha -compress RLE rgba32-rle.tga
convert "$src" +dither -colors 200 -type Palette -compress none pal8.tga
convert "$src" +dither -colors 200 -type Palette -compress RLE pal8-rle.tga
convert "$src" -colorspace Gray -type Grayscale -compress none grey8.tga
convert "$src" -colorspace Gray -type Grayscale -compress RLE grey8-rle.tga
# Stored top to bottom.
convert "$src" -type TrueColor -compress none -orient TopLeft rgb24-topdown.tga
for f in *.tga; do
  convert "$f" -auto-orient -alpha off -depth 8 "ppm:${f%.tga}.ppm"
done
