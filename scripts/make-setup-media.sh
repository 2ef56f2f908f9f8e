#!/usr/bin/env bash
# Makes the sounds of the standard sound scheme (with sox) and the picture clip (with ImageMagick) that
# the setup program carries; their results are committed under setup/files, so the build needs neither.
set -euo pipefail
files=$(cd "$(dirname "$0")/../setup/files" && pwd)
sounds=$files/sounds
mkdir -p "$sounds" "$files/clips/Images"
# Short tones: 11,025 Hz, 8 bits, mono, faded at both ends so that they never click.
tone() { # NAME SECONDS SYNTH...
  local name=$1 length=$2
  shift 2
  sox -n -r 11025 -b 8 -c 1 "$sounds/$name.wav" synth "$length" "$@" fade q 0.01 "$length" 0.05 vol 0.6
}
tone start 0.35 sine 523-1047
tone exit 0.35 sine 1047-523
tone save 0.12 sine 880
tone misspelled 0.18 square 220
# A sun of 32 x 32 pixels for the pictures collection.
convert -size 32x32 xc:none -fill '#FFD000' -stroke '#E08000' -strokewidth 2 \
  -draw 'circle 16,16 16,7' -draw 'line 16,1 16,4' -draw 'line 16,28 16,31' \
  -draw 'line 1,16 4,16' -draw 'line 28,16 31,16' -draw 'line 5,5 7,7' -draw 'line 25,25 27,27' \
  -draw 'line 5,27 7,25' -draw 'line 25,7 27,5' -strip "PNG32:$files/clips/Images/Soleil.png"
