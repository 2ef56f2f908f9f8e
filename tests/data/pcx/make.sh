#!/usr/bin/env bash
# Remakes the PCX pictures written by ImageMagick and the reference pixels of each (NAME.ppm, ImageMagick's
# reading of NAME.pcx).
set -euo pipefail
cd "$(dirname "$0")"
rm -f ./*.pcx ./*.ppm
src=$(mktemp --suffix=.png)
trap 'rm -f "$src"' EXIT
# 29 x 19: rows end inside bytes, and the planes' bytes per line are padded.
convert -size 29x19 gradient:'#ff2000'-'#0030ff' -fill '#20c040' -draw 'circle 14,9 20,14' \
  -fill white -draw 'rectangle 2,2 8,6' -depth 8 "$src"
convert "$src" -type TrueColor rgb24.pcx
convert "$src" -alpha set -channel A -fx 0.5 +channel -type TrueColorAlpha rgba32.pcx
convert "$src" +dither -colors 200 -type Palette pal256.pcx
convert "$src" +dither -colors 12 -type Palette pal16.pcx
convert "$src" -monochrome bw.pcx
# Uniform rows: long runs, cut at the end of each plane line.
convert -size 300x7 xc:'#3366cc' -type TrueColor runs.pcx
for f in *.pcx; do
  convert "$f" -alpha off -depth 8 "ppm:${f%.pcx}.ppm"
done
