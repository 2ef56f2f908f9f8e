#!/usr/bin/env bash
# Remakes the GIF pictures drawn by ImageMagick and the reference pixels of each of their frames.
# Each reference NAME-N.ppm holds ImageMagick's reading of frame N of NAME.gif at its own size (not composed on
# the screen), transparency left out, so a transparent pixel shows its colour table entry.
set -euo pipefail
cd "$(dirname "$0")"
art=(-fill '#20c040' -draw 'circle 48,30 60,44' -fill '#ffffff' -draw 'rectangle 5,5 20,12')
rm -f ./*.gif ./*.ppm

# 200 colours in a global table of 256 entries.
convert -size 97x61 gradient:'#ff2000'-'#0030ff' "${art[@]}" +dither -colors 200 im-pal256.gif
# 12 colours (a table of 16 entries), interlaced.
convert -size 53x17 gradient:'#ff2000'-'#0030ff' "${art[@]}" +dither -colors 12 -interlace GIF im-pal16i.gif
# Four colours: a 2-bit table, decoded into a 4-bit bitmap.
convert -size 40x23 gradient:'#ff2000'-'#0030ff' +dither -colors 4 im-pal4.gif
# Two colours, 37 pixels wide: rows that end inside a byte.
convert -size 37x11 pattern:checkerboard -monochrome im-bw.gif
# Grey levels, interlaced, more rows than one interlace pass covers.
convert -size 31x29 gradient:white-black -colorspace gray -interlace GIF im-grey.gif
# Noise in 256 colours: the code table fills and is cleared several times.
convert -seed 3 -size 120x80 xc:gray +noise Random +dither -colors 256 im-noise.gif
# A transparent colour (the white rectangle) and a comment.
convert -size 45x30 gradient:'#ff2000'-'#0030ff' "${art[@]}" +dither -colors 30 -transparent white \
  -set comment 'Bonjour' im-transparent.gif
# Three frames of their own sizes and places, delays and disposals, one with a local colour table.
convert -dispose None -delay 10 -page 40x30+0+0 -size 40x30 gradient:red-blue +dither -colors 16 \
  -dispose Background -delay 25 -page +5+7 -size 20x10 xc:yellow \
  -dispose Previous -delay 100 -page +12+3 -size 17x21 gradient:green-white +dither -colors 8 \
  -loop 0 im-anim.gif

for f in *.gif; do
  n=$(identify "$f" | wc -l)
  for ((i = 0; i < n; i++)); do
    convert "$f[$i]" +repage -strip -alpha off -depth 8 "ppm:${f%.gif}-$i.ppm"
  done
done
