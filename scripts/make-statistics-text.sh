#!/usr/bin/env bash
# Makes the independent counts the statistics tests compare with: LibreOffice (headless) converts each
# RTF fixture of tests/data/statistics to plain text (kept in Windows-1252 beside the fixture as
# NAME.txt) and to PDF, whose page objects give NAME.pages. The results are committed, so the tests need
# neither program. Run by hand after changing a fixture.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
dir="$here/tests/data/statistics"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
command -v soffice >/dev/null || { echo "LibreOffice (soffice) is needed" >&2; exit 1; }

for rtf in "$dir"/*.rtf; do
  name="$(basename "$rtf" .rtf)"
  cp "$rtf" "$work/$name.rtf"
  soffice -env:UserInstallation="file://$work/profile" --headless --convert-to "txt:Text (encoded):UTF8" \
    --outdir "$work" "$work/$name.rtf" >/dev/null
  soffice -env:UserInstallation="file://$work/profile" --headless --convert-to pdf --outdir "$work" \
    "$work/$name.rtf" >/dev/null
  # Windows-1252 as the program reads text; the byte-order mark dropped.
  sed '1s/^\xEF\xBB\xBF//' "$work/$name.txt" | iconv -f UTF-8 -t WINDOWS-1252 > "$dir/$name.txt"
  grep -a -o '/Type */Page[^s]' "$work/$name.pdf" | wc -l | tr -d ' ' > "$dir/$name.pages"
done
