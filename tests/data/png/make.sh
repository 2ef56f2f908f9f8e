#!/usr/bin/env bash
# Remakes the pictures drawn by ImageMagick and the reference pixels of every picture in this folder.
# basn*, ibasn* and ftbrn2c08 are PngSuite pictures from the contrib/pngsuite folder of Debian's libpng1.6 source
# package. Each reference NAME.ppm holds ImageMagick's reading of NAME.png (interlaced ones share it with the plain
# one), at 16 bits per sample for 16-bit pictures and 8 bits otherwise, transparency and gamma left out.
set -euo pipefail
cd "$(dirname "$0")"
plain=(-strip -define png:exclude-chunks=gAMA,cHRM,sRGB,bKGD,pHYs,date,time,tIME,tEXt,zTXt,iTXt)
art=(-fill '#20c040' -draw 'circle 48,30 60,44' -fill '#ffffff' -draw 'rectangle 5,5 20,12')

convert -size 97x61 gradient:'#ff2000'-'#0030ff' "${art[@]}" "${plain[@]}" PNG24:im-rgb8.png
convert -size 45x33 -depth 16 gradient:'#ff2000'-'#0030ff' "${art[@]}" "${plain[@]}" -interlace PNG PNG48:im-rgb16i.png
convert -size 97x61 gradient:'#ff2000'-'#0030ff' "${art[@]}" -alpha set -channel A -fx 'i/w' +channel \
  "${plain[@]}" PNG32:im-rgba8.png
convert -size 97x61 gradient:'#ff2000'-'#0030ff' "${art[@]}" +dither -colors 50 "${plain[@]}" \
  -define png:color-type=3 -define png:bit-depth=8 PNG8:im-pal8.png
convert -size 53x17 gradient:'#ff2000'-'#0030ff' "${art[@]}" +dither -colors 12 "${plain[@]}" \
  -define png:color-type=3 -define png:bit-depth=4 im-pal4.png
convert -size 53x17 gradient:white-black "${art[@]}" -colorspace gray "${plain[@]}" \
  -define png:color-type=0 -define png:bit-depth=4 im-grey4.png
convert -seed 1 -size 100x50 gradient:'#ff2000'-'#0030ff' "${art[@]}" -attenuate 0.3 +noise Gaussian \
  "${plain[@]}" PNG24:im-noise.png

# ImageMagick turns the levels of a file with a gamma into another colour space: it reads a copy without gAMA.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for f in *.png; do
  case $f in ibasn*) continue ;; esac
  python3 - "$f" "$tmp/$f" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
out, at = data[:8], 8
while at < len(data):
    length = struct.unpack('>I', data[at:at + 4])[0]
    if data[at + 4:at + 8] != b'gAMA':
        out += data[at:at + 12 + length]
    at += 12 + length
open(sys.argv[2], 'wb').write(out)
PY
  depth=$(identify -format '%z' "$f")
  [ "$depth" = 16 ] || depth=8
  convert "$tmp/$f" -alpha off -depth "$depth" "ppm:${f%.png}.ppm"
done
