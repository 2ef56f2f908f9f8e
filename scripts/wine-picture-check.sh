#!/usr/bin/env bash
# Checks with tiffinfo, gifsicle and ImageMagick the TIFF and GIF files that a Windows test program writes under
# Wine: the program (first argument) writes them into a fresh folder with a list of the files, each beside a
# bitmap file of the pixels it must show.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
QP_TOOL_OUT=$out bash "$here/wine-run.sh" "$1" --gtest_filter='PictureToolFiles.*' || exit 1
if [ ! -s "$out/checks.txt" ]; then
  echo "the program wrote no files to check"
  exit 1
fi
failed=0
count=0
while IFS=$'\t' read -r written reference; do
  count=$((count + 1))
  file=${written%%\[*}
  case $file in
    *.tif) report=$(tiffinfo "$out/$file" 2>&1); status=$? ;;
    *.gif) report=$(gifsicle --info "$out/$file" 2>&1 >/dev/null); status=$?
           [ -n "$report" ] && status=1 ;;
  esac
  if [ $status != 0 ] || grep -qiE "warning|error" <<<"$report"; then
    echo "the tool refuses $file:"
    echo "$report"
    failed=1
  fi
  rm -f "$out/a.ppm" "$out/b.ppm"
  if ! convert "$out/$reference" -alpha off -depth 8 "$out/a.ppm" ||
     ! convert "$out/$written" +repage -alpha off -depth 8 "$out/b.ppm"; then
    echo "ImageMagick cannot read $written or $reference"
    failed=1
  elif differ=$(compare -metric AE "$out/a.ppm" "$out/b.ppm" null: 2>&1); [ "$differ" != 0 ]; then
    echo "$written: $differ pixels differ from $reference"
    failed=1
  fi
done < "$out/checks.txt"
echo "$count files written under Wine checked"
exit $failed
