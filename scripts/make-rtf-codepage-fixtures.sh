#!/usr/bin/env bash
# Makes the RTF fixtures of text in other scripts (Cyrillic, Greek, Central European, Japanese): one
# written by LibreOffice (headless) from a flat OpenDocument text, one by AbiWord (apt-get install abiword)
# from the same document, one written by Python's own code-page encoders the way older writers do (the
# document's code page, fonts with character sets and raw bytes).
# The results are committed under tests/data/rtf; run by hand when the documents change.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
out="$here/tests/data/rtf"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cat > "$work/ecritures-lo.fodt" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.text">
 <office:font-face-decls>
  <style:font-face style:name="Arial" svg:font-family="Arial"/>
  <style:font-face style:name="MS Mincho" svg:font-family="'MS Mincho'"/>
 </office:font-face-decls>
 <office:automatic-styles>
  <style:style style:name="Ru" style:family="text"><style:text-properties style:font-name="Arial" fo:language="ru" fo:country="RU"/></style:style>
  <style:style style:name="El" style:family="text"><style:text-properties style:font-name="Arial" fo:language="el" fo:country="GR"/></style:style>
  <style:style style:name="Pl" style:family="text"><style:text-properties style:font-name="Arial" fo:language="pl" fo:country="PL"/></style:style>
  <style:style style:name="Ja" style:family="text"><style:text-properties style:font-name-asian="MS Mincho" style:language-asian="ja" style:country-asian="JP"/></style:style>
 </office:automatic-styles>
 <office:body><office:text>
  <text:p><text:span text:style-name="Ru">Съешь же ещё этих мягких французских булок.</text:span></text:p>
  <text:p><text:span text:style-name="El">Ξεσκεπάζω την ψυχοφθόρα βδελυγμία.</text:span></text:p>
  <text:p><text:span text:style-name="Pl">Zażółć gęślą jaźń.</text:span></text:p>
  <text:p><text:span text:style-name="Ja">日本語のソ塩於唖文章。</text:span></text:p>
 </office:text></office:body>
</office:document>
XML
(cd "$work" && soffice --headless --convert-to rtf ecritures-lo.fodt >/dev/null 2>&1)
cp "$work/ecritures-lo.rtf" "$out/"
# AbiWord reads the same document as OpenDocument text (on a virtual screen: it wants a display).
(cd "$work" && soffice --headless --convert-to odt ecritures-lo.fodt >/dev/null 2>&1)
(cd "$work" && xvfb-run -a abiword --to=rtf -o ecritures-abi.rtf ecritures-lo.odt >/dev/null 2>&1)
cp "$work/ecritures-abi.rtf" "$out/"

python3 - "$out/ecritures-octets.rtf" <<'PY'
import sys
def esc(text, page):
    return "".join(c if ord(c) < 128 else "".join("\\'%02x" % b for b in c.encode(page)) for c in text)
rtf = ("{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fswiss\\fcharset161 Arial Greek;}"
       "{\\f2\\fswiss\\fcharset238 Arial CE;}{\\f3\\fnil\\fcharset128 MS Mincho;}}\n"
       "\\pard\\f0 " + esc("Съешь же ещё этих булок.", "cp1251") + "\\par\n"
       "\\f1 " + esc("Ξεσκεπάζω την ψυχοφθόρα βδελυγμία.", "cp1253") + "\\par\n"
       "\\f2 " + esc("Zażółć gęślą jaźń.", "cp1250") + "\\par\n"
       # Four of these characters end in the bytes 0x5c, 0x96, 0x97 and 0xa0.
       "\\f3 " + esc("日本語のソ塩於唖文章。", "shift_jis") + "\\par\n}")
open(sys.argv[1], "w").write(rtf)
PY
