#!/usr/bin/env bash
# Checks with pngcheck and ImageMagick the PNG files that a Windows test program writes under Wine: the program
# (first argument) writes them into a fresh folder with a list of the files, each beside the picture whose pixels
# it must show.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
QP_TOOL_OUT=$out bash "$here/wine-run.sh" "$1" --gtest_filter='PngToolFiles.*' || exit 1
if [ ! -s "$out/checks.txt" ]; then
  echo "the program wrote no files to check"
  exit 1
fi
failed=0
count=0
while IFS=$'\t' read -r written reference; do
  count=$((count + 1))
  if ! report=$(pngcheck -v "$out/$written" 2>&1); then
    echo "pngcheck refuses $written:"
    echo "$report"
    failed=1
  fi
  if [ -n "$reference" ]; then
    rm -f "$out/a.ppm" "$out/b.ppm"
    if ! convert "$out/$reference" -alpha off -depth 8 "$out/a.ppm" ||
       ! convert "$out/$written" -alpha off -depth 8 "$out/b.ppm"; then
      echo "ImageMagick cannot read $written or $reference"
      failed=1
    elif differ=$(compare -metric AE "$out/a.ppm" "$out/b.ppm" null: 2>&1); [ "$differ" != 0 ]; then
      echo "$written: $differ pixels differ from $reference"
      failed=1
    fi
  fi
done < "$out/checks.txt"
echo "$count files written under Wine checked"
exit $failed
