#!/usr/bin/env bash
# Checks with LibreOffice (headless) and unrtf the RTF files that a test program writes: the program (first
# argument) writes them into a fresh folder with a list of what each reader must find (checks.txt: file, kind,
# value). LibreOffice's text export must hold the main text in order, its own ODT form the formats, the note
# and the header; unrtf (standard 7-bit files only) the main text and the note in its place.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
QP_TOOL_OUT=$out "$1" --gtest_filter='RtfToolFiles.*' >/dev/null || exit 1
if [ ! -s "$out/checks.txt" ]; then
  echo "the program wrote no files to check"
  exit 1
fi
mkdir -p "$out/lo" "$out/home"
files=$(cut -f1 "$out/checks.txt" | sort -u)
(cd "$out" && export LC_ALL=C.UTF-8 && HOME="$out/home" soffice --headless --convert-to txt:Text --outdir lo $files >/dev/null 2>&1 &&
  HOME="$out/home" soffice --headless --convert-to odt --outdir lo $files >/dev/null 2>&1) ||
  { echo "LibreOffice cannot convert the files"; exit 1; }
# The test program writes its expectations in the program's own code page.
iconv -f CP1252 -t UTF-8 "$out/checks.txt" > "$out/checks-utf8.txt"
OUT=$out python3 - "$out/checks-utf8.txt" <<'EOF'
import html, os, re, subprocess, sys, zipfile
out = os.environ["OUT"]
checks = {}
for line in open(sys.argv[1], encoding="utf-8"):
    name, kind, value = line.rstrip("\n").split("\t", 2)
    checks.setdefault(name, []).append((kind, value))

def in_order(haystack, needles):
    at = 0
    for n in needles:
        found = haystack.find(n, at)
        if found < 0:
            return n
        at = found + len(n)
    return None

failed = 0
for name, items in sorted(checks.items()):
    base = os.path.splitext(name)[0]
    texts = [v for k, v in items if k == "text"]
    lo_text = open(os.path.join(out, "lo", base + ".txt"), encoding="utf-8-sig").read()
    missing = in_order(lo_text, texts)
    if missing:
        print(f"{name}: LibreOffice's text lacks {missing!r}:\n{lo_text}")
        failed = 1
    with zipfile.ZipFile(os.path.join(out, "lo", base + ".odt")) as odt:
        content = odt.read("content.xml").decode("utf-8")
        styles = odt.read("styles.xml").decode("utf-8")
    plain = lambda xml: html.unescape(re.sub(r"<[^>]+>", "", xml))
    for kind, value in items:
        if kind == "odt" and value not in content and value not in styles:
            print(f"{name}: LibreOffice's ODT states no {value}")
            failed = 1
        if kind == "note" and value not in plain(re.sub(r".*?<text:note-body>", "", content, count=1, flags=re.S)):
            print(f"{name}: LibreOffice's ODT has no note {value!r}")
            failed = 1
        if kind == "header" and value not in plain(styles):
            print(f"{name}: LibreOffice's ODT has no header {value!r}")
            failed = 1
    if "8bits" in name:
        continue
    page = subprocess.run(["unrtf", "--html", os.path.join(out, name)], capture_output=True, text=True,
                          encoding="latin-1").stdout
    body = plain(page.split("<body>", 1)[-1]).replace("\n", "")
    notes = [v for k, v in items if k == "note"]
    # The note stands right after the paragraph text it belongs to.
    missing = in_order(body, texts[:2] + notes + texts[2:])
    if missing:
        print(f"{name}: unrtf's reading lacks {missing!r}:\n{body}")
        failed = 1
print(f"{len(checks)} RTF files checked with LibreOffice and unrtf")
sys.exit(failed)
EOF
