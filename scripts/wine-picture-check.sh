#!/usr/bin/env bash
# Checks with independent tools the picture files that a Windows test program writes under Wine: the program
# (first argument), run with a test filter (second argument), writes them into a fresh folder with a list of
# the files, each beside a picture of the pixels it must show (or none). PNG files go through pngcheck, TIFF
# through tiffinfo, GIF through gifsicle, EMF and WMF through LibreOffice (drawn into a PNG file, its blank
# page trimmed away), and every one through ImageMagick against its reference.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
QP_TOOL_OUT=$out bash "$here/wine-run.sh" "$1" --gtest_filter="$2" || exit 1
if [ ! -s "$out/checks.txt" ]; then
  echo "the program wrote no files to check"
  exit 1
fi
failed=0
count=0
while IFS=$'\t' read -r written reference; do
  count=$((count + 1))
  file=${written%%\[*}
  shown=$out/$written
  case $file in
    *.emf|*.wmf)
      drawn=$out/drawn/$file
      mkdir -p "$drawn"
      report=$(timeout 300 soffice --headless "-env:UserInstallation=file://$out/lo-profile" \
                 --convert-to png --outdir "$drawn" "$out/$file" 2>&1)
      status=1
      for png in "$drawn"/*.png; do
        [ -f "$png" ] && convert "$png" -trim +repage "$drawn/trimmed.png" && status=0
      done
      shown=$drawn/trimmed.png ;;
    *.png) report=$(pngcheck -v "$out/$file" 2>&1); status=$? ;;
    *.tif) report=$(tiffinfo "$out/$file" 2>&1); status=$?
           grep -qiE "warning|error" <<<"$report" && status=1 ;;
    *.gif) report=$(gifsicle --info "$out/$file" 2>&1 >/dev/null); status=$?
           [ -n "$report" ] && status=1 ;;
    *) report="no tool for this kind of file"; status=1 ;;
  esac
  if [ $status != 0 ]; then
    echo "the tool refuses $file:"
    echo "$report"
    failed=1
  fi
  [ -n "$reference" ] || continue
  rm -f "$out/a.ppm" "$out/b.ppm"
  if ! convert "$out/$reference" -alpha off -depth 8 "$out/a.ppm" ||
     ! convert "$shown" +repage -alpha off -depth 8 "$out/b.ppm"; then
    echo "ImageMagick cannot read $written or $reference"
    failed=1
  elif differ=$(compare -metric AE "$out/a.ppm" "$out/b.ppm" null: 2>&1); [ "$differ" != 0 ]; then
    echo "$written: $differ pixels differ from $reference"
    failed=1
  fi
done < "$out/checks.txt"
echo "$count files written under Wine checked"
exit $failed
