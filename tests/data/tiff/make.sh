#!/usr/bin/env bash
# Remakes the TIFF pictures written by ImageMagick (and, for the two-dimensional fax coding ImageMagick does
# not write, by tiffcp) and the reference pixels of each: NAME.ppm is ImageMagick's reading of the last
# picture of NAME.tif, alpha left out.
set -euo pipefail
cd "$(dirname "$0")"
rm -f ./*.tif ./*.ppm
src=$(mktemp --suffix=.png)
bw=$(mktemp --suffix=.png)
trap 'rm -f "$src" "$bw"' EXIT
# 29 x 19: odd sizes, so rows and edge tiles end inside bytes and tiles.
convert -size 29x19 gradient:'#ff2000'-'#0030ff' -fill '#20c040' -draw 'circle 14,9 20,14' \
  -fill white -draw 'rectangle 2,2 8,6' "$src"
convert -size 45x13 xc:white -fill black -draw 'rectangle 3,2 20,9' -draw 'circle 33,6 38,9' \
  -draw 'line 0,12 44,0' -type bilevel "$bw"
t() { local name=$1; shift; convert "$@" "$name.tif"; }
t rgb8-none-II "$src" -depth 8 -compress none
t rgb8-none-MM "$src" -depth 8 -compress none -endian MSB
t rgb8-lzw "$src" -depth 8 -compress LZW -define tiff:predictor=1
t rgb8-lzw-pred2-MM "$src" -depth 8 -compress LZW -define tiff:predictor=2 -endian MSB
t rgb8-packbits-rps4 "$src" -depth 8 -compress RLE -define tiff:rows-per-strip=4
t rgb8-planar-lzw "$src" -depth 8 -compress LZW -interlace plane
t rgb8-planar-none "$src" -depth 8 -compress none -interlace plane -define tiff:rows-per-strip=5
t rgb8-tiles16-none "$src" -depth 8 -compress none -define tiff:tile-geometry=16x16
t rgb8-tiles16-lzw-pred2 "$src" -depth 8 -compress LZW -define tiff:predictor=2 -define tiff:tile-geometry=16x16
t rgba8-lzw "$src" -depth 8 -alpha set -channel A -fx 0.5 +channel -compress LZW
t rgb16-none-MM "$src" -depth 16 -compress none -endian MSB
t rgb16-lzw-pred2 "$src" -depth 16 -compress LZW -define tiff:predictor=2
t cmyk8-none "$src" -depth 8 -colorspace CMYK -compress none
t lab8-none "$src" -depth 8 -colorspace Lab -compress none
t grey8-minisblack "$src" -depth 8 -colorspace Gray -compress none
t grey8-miniswhite "$src" -depth 8 -colorspace Gray -compress none -define quantum:polarity=min-is-white
t grey4-packbits "$src" -colorspace Gray -depth 4 -compress RLE
t grey16-lzw-MM "$src" -colorspace Gray -depth 16 -compress LZW -endian MSB
t pal8-lzw "$src" -depth 8 +dither -colors 200 -type Palette -compress LZW
t pal4-none-MM "$src" +dither -colors 12 -type Palette -depth 4 -compress none -endian MSB
t pal2-none "$src" +dither -colors 4 -type Palette -depth 2 -compress none
t bw-none-minisblack "$bw" -monochrome -depth 1 -compress none -define quantum:polarity=min-is-black
t bw-packbits-miniswhite "$bw" -monochrome -depth 1 -compress RLE -define quantum:polarity=min-is-white
t bw-lzw "$bw" -monochrome -depth 1 -compress LZW
t bw-g3-1d "$bw" -monochrome -depth 1 -compress Fax
t bw-g4 "$bw" -monochrome -depth 1 -compress Group4
t bw-g4-lsb "$bw" -monochrome -depth 1 -compress Group4 -define tiff:fill-order=lsb
tiffcp -c g3:2d:fill bw-g3-1d.tif bw-g3-2d.tif
tiffcp -c g3:1d bw-g4.tif -r 5 bw-g3-1d-rps5.tif
t multipage-last-grey "$src" -depth 8 \( "$src" -depth 8 -colorspace Gray -crop 17x11+0+0 +repage \) -compress LZW

for f in *.tif; do
  n=$(identify "$f" | wc -l)
  convert "$f[$((n - 1))]" -alpha off -depth 8 "ppm:${f%.tif}.ppm"
done
