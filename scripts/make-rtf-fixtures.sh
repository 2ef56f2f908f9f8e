#!/usr/bin/env bash
# Makes the RTF fixtures of the reader tests with two independent programs: LibreOffice (headless) and
# AbiWord. The documents are described below as flat OpenDocument text; LibreOffice turns each into
# RTF, and into ODT that AbiWord then reads and writes as RTF. The small results are committed under
# tests/data/rtf, so the tests and CI need neither program. Run by hand, as root (it installs both).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
out="$here/tests/data/rtf"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

need=()
command -v soffice >/dev/null || need+=(libreoffice-writer-nogui)
command -v abiword >/dev/null || need+=(abiword)
command -v cjpeg >/dev/null || need+=(libjpeg-turbo-progs)
if ((${#need[@]})); then
  apt-get update -q
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${need[@]}"
fi

# Two small pictures: a 16 x 8 PNG (colour bars) and a 16 x 16 JPEG (a gradient).
python3 - "$work" <<'PY'
import struct, sys, zlib
work = sys.argv[1]
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
rows = b"".join(b"\0" + b"".join(bytes(((x * 16) % 256, 255 - y * 30, 128)) for x in range(16)) for y in range(8))
png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 16, 8, 8, 2, 0, 0, 0)) \
    + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b"")
open(f"{work}/bars.png", "wb").write(png)
ppm = b"P6 16 16 255\n" + b"".join(bytes((x * 16, y * 16, 200)) for y in range(16) for x in range(16))
open(f"{work}/grad.ppm", "wb").write(ppm)
PY
cjpeg -quality 90 "$work/grad.ppm" > "$work/grad.jpg"
png64="$(base64 -w0 "$work/bars.png")"
jpg64="$(base64 -w0 "$work/grad.jpg")"

head='<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
 xmlns:xlink="http://www.w3.org/1999/xlink"
 xmlns:dc="http://purl.org/dc/elements/1.1/"
 xmlns:meta="urn:oasis:names:tc:opendocument:xmlns:meta:1.0"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.text">'
fonts='<office:font-face-decls>
 <style:font-face style:name="Times New Roman" svg:font-family="&apos;Times New Roman&apos;" style:font-family-generic="roman"/>
 <style:font-face style:name="Arial" svg:font-family="Arial" style:font-family-generic="swiss"/>
 <style:font-face style:name="Courier New" svg:font-family="&apos;Courier New&apos;" style:font-family-generic="modern" style:font-pitch="fixed"/>
</office:font-face-decls>
<office:styles>
 <style:default-style style:family="paragraph"><style:text-properties style:font-name="Times New Roman" fo:font-size="12pt" fo:language="fr" fo:country="FR"/></style:default-style>
 <style:style style:name="Standard" style:family="paragraph"/>
 <style:style style:name="Heading_20_1" style:display-name="Heading 1" style:family="paragraph" style:parent-style-name="Standard" style:default-outline-level="1">
  <style:paragraph-properties fo:margin-top="0.4cm" fo:margin-bottom="0.2cm"/>
  <style:text-properties style:font-name="Arial" fo:font-size="16pt" fo:font-weight="bold"/></style:style>
 <style:style style:name="Citation" style:family="paragraph" style:parent-style-name="Standard">
  <style:paragraph-properties fo:margin-left="1cm" fo:margin-right="1cm"/>
  <style:text-properties fo:font-style="italic"/></style:style>
</office:styles>'

# Characters and paragraphs: accents, fonts, colours, sizes, emphasis; alignment, indents and tabs.
cat > "$work/caracteres.fodt" <<EOF
$head
$fonts
<office:automatic-styles>
 <style:style style:name="Tgras" style:family="text"><style:text-properties fo:font-weight="bold"/></style:style>
 <style:style style:name="Titalique" style:family="text"><style:text-properties fo:font-style="italic"/></style:style>
 <style:style style:name="Tsouligne" style:family="text"><style:text-properties style:text-underline-style="solid" style:text-underline-width="auto" style:text-underline-color="font-color"/></style:style>
 <style:style style:name="Tbarre" style:family="text"><style:text-properties style:text-line-through-style="solid"/></style:style>
 <style:style style:name="Trouge" style:family="text"><style:text-properties fo:color="#ff0000"/></style:style>
 <style:style style:name="Tbleu" style:family="text"><style:text-properties fo:color="#0000ff"/></style:style>
 <style:style style:name="Tarial" style:family="text"><style:text-properties style:font-name="Arial" fo:font-size="14pt"/></style:style>
 <style:style style:name="Tcourier" style:family="text"><style:text-properties style:font-name="Courier New" fo:font-size="9pt"/></style:style>
 <style:style style:name="Tgrand" style:family="text"><style:text-properties fo:font-size="24pt"/></style:style>
 <style:style style:name="Texposant" style:family="text"><style:text-properties style:text-position="super 58%"/></style:style>
 <style:style style:name="Tindice" style:family="text"><style:text-properties style:text-position="sub 58%"/></style:style>
 <style:style style:name="Tcapitales" style:family="text"><style:text-properties fo:font-variant="small-caps"/></style:style>
 <style:style style:name="Pcentre" style:family="paragraph" style:parent-style-name="Standard"><style:paragraph-properties fo:text-align="center"/></style:style>
 <style:style style:name="Pdroite" style:family="paragraph" style:parent-style-name="Standard"><style:paragraph-properties fo:text-align="end"/></style:style>
 <style:style style:name="Pjustifie" style:family="paragraph" style:parent-style-name="Standard"><style:paragraph-properties fo:text-align="justify"/></style:style>
 <style:style style:name="Pretrait" style:family="paragraph" style:parent-style-name="Standard">
  <style:paragraph-properties fo:margin-left="2cm" fo:margin-right="1cm" fo:text-indent="-1cm" fo:margin-top="0.5cm" fo:margin-bottom="0.25cm"/></style:style>
 <style:style style:name="Ptabs" style:family="paragraph" style:parent-style-name="Standard">
  <style:paragraph-properties><style:tab-stops>
   <style:tab-stop style:position="3cm"/>
   <style:tab-stop style:position="8cm" style:type="center"/>
   <style:tab-stop style:position="14cm" style:type="right" style:leader-style="dotted" style:leader-text="."/>
  </style:tab-stops></style:paragraph-properties></style:style>
</office:automatic-styles>
<office:body><office:text>
 <text:p text:style-name="Standard">Accents : à â ä ç é è ê ë î ï ô ö ù û ü ÿ œ æ À Ç É È Œ « guillemets » 50 € — tiret – demi</text:p>
 <text:p text:style-name="Standard">Du <text:span text:style-name="Tgras">gras</text:span>, de l’<text:span text:style-name="Titalique">italique</text:span>, du <text:span text:style-name="Tsouligne">souligné</text:span> et du <text:span text:style-name="Tbarre">barré</text:span>.</text:p>
 <text:p text:style-name="Standard">En <text:span text:style-name="Trouge">rouge</text:span> et en <text:span text:style-name="Tbleu">bleu</text:span> ; en <text:span text:style-name="Tarial">Arial 14</text:span>, en <text:span text:style-name="Tcourier">Courier 9</text:span>, en <text:span text:style-name="Tgrand">grand</text:span>.</text:p>
 <text:p text:style-name="Standard">E = mc<text:span text:style-name="Texposant">2</text:span>, H<text:span text:style-name="Tindice">2</text:span>O, <text:span text:style-name="Tcapitales">Petites Capitales</text:span>.</text:p>
 <text:p text:style-name="Pcentre">Paragraphe centré</text:p>
 <text:p text:style-name="Pdroite">Paragraphe aligné à droite</text:p>
 <text:p text:style-name="Pjustifie">Paragraphe justifié, assez long pour occuper plusieurs lignes de texte dans la page, afin que la justification se voie vraiment à l’écran.</text:p>
 <text:p text:style-name="Pretrait">Retrait de deux centimètres à gauche, d’un à droite, et première ligne en retrait négatif d’un centimètre, avec de l’espace avant et après.</text:p>
 <text:p text:style-name="Ptabs">Nom<text:tab/>Prénom<text:tab/>Ville<text:tab/>Total</text:p>
</office:text></office:body></office:document>
EOF

# Document structure: page setup, styles, header and footer, sections with columns, a footnote,
# fields, a bookmark and a hyperlink.
cat > "$work/structure.fodt" <<EOF
$head
$fonts
<office:automatic-styles>
 <style:page-layout style:name="pm1">
  <style:page-layout-properties fo:page-width="21cm" fo:page-height="29.7cm" style:print-orientation="portrait"
   fo:margin-top="2cm" fo:margin-bottom="1.5cm" fo:margin-left="2.5cm" fo:margin-right="2cm"/>
  <style:header-style><style:header-footer-properties fo:min-height="0.5cm" fo:margin-bottom="0.3cm"/></style:header-style>
  <style:footer-style><style:header-footer-properties fo:min-height="0.5cm" fo:margin-top="0.3cm"/></style:footer-style>
 </style:page-layout>
 <style:page-layout style:name="pm2">
  <style:page-layout-properties fo:page-width="29.7cm" fo:page-height="21cm" style:print-orientation="landscape"
   fo:margin-top="1.5cm" fo:margin-bottom="1.5cm" fo:margin-left="1.5cm" fo:margin-right="1.5cm"/>
 </style:page-layout>
 <style:style style:name="Sdeux" style:family="section">
  <style:section-properties><style:columns fo:column-count="2" fo:column-gap="1cm"/></style:section-properties></style:style>
 <style:style style:name="Ppaysage" style:family="paragraph" style:parent-style-name="Standard" style:master-page-name="Paysage"/>
</office:automatic-styles>
<office:master-styles>
 <style:master-page style:name="Standard" style:page-layout-name="pm1">
  <style:header><text:p text:style-name="Standard">En-tête du rapport</text:p></style:header>
  <style:footer><text:p text:style-name="Standard">Page <text:page-number text:select-page="current">1</text:page-number></text:p></style:footer>
 </style:master-page>
 <style:master-page style:name="Paysage" style:page-layout-name="pm2"/>
</office:master-styles>
<office:body><office:text>
 <text:h text:style-name="Heading_20_1" text:outline-level="1">Rapport annuel</text:h>
 <text:p text:style-name="Standard">Le texte principal<text:note text:id="ftn1" text:note-class="footnote"><text:note-citation>1</text:note-citation><text:note-body><text:p text:style-name="Standard">Une note de bas de page.</text:p></text:note-body></text:note> continue ici.</text:p>
 <text:p text:style-name="Citation">Une citation en italique, en retrait des deux côtés.</text:p>
 <text:p text:style-name="Standard">Un <text:bookmark-start text:name="Signet1"/>passage marqué<text:bookmark-end text:name="Signet1"/> et un lien vers <text:a xlink:type="simple" xlink:href="https://exemple.fr/">exemple.fr</text:a>.</text:p>
 <text:p text:style-name="Standard">Page courante : <text:page-number text:select-page="current">1</text:page-number>, sur <text:page-count>2</text:page-count> pages.</text:p>
 <text:section text:style-name="Sdeux" text:name="Colonnes">
  <text:p text:style-name="Standard">Texte en deux colonnes. Il se poursuit assez longtemps pour remplir un peu la première colonne de la section et montrer la répartition.</text:p>
 </text:section>
 <text:p text:style-name="Ppaysage">Une page en paysage, avec d’autres marges.</text:p>
</office:text></office:body></office:document>
EOF

# Pictures: a PNG and a JPEG in the text.
cat > "$work/images.fodt" <<EOF
$head
$fonts
<office:body><office:text>
 <text:p text:style-name="Standard">Image PNG : <draw:frame draw:name="png" text:anchor-type="as-char" svg:width="1.6cm" svg:height="0.8cm"><draw:image><office:binary-data>$png64</office:binary-data></draw:image></draw:frame> fin.</text:p>
 <text:p text:style-name="Standard">Image JPEG : <draw:frame draw:name="jpeg" text:anchor-type="as-char" svg:width="2cm" svg:height="2cm"><draw:image><office:binary-data>$jpg64</office:binary-data></draw:image></draw:frame> fin.</text:p>
</office:text></office:body></office:document>
EOF

# Fields: a table of contents, dates and times, a page reference to a bookmark, document properties.
cat > "$work/champs.fodt" <<EOF
$head
$fonts
<office:meta><dc:title>Rapport des champs</dc:title><meta:initial-creator>Jeanne Martin</meta:initial-creator></office:meta>
<office:body><office:text>
 <text:table-of-content text:name="Table1">
  <text:table-of-content-source text:outline-level="2">
   <text:index-title-template>Table des matières</text:index-title-template>
   <text:table-of-content-entry-template text:outline-level="1" text:style-name="Standard">
    <text:index-entry-link-start/><text:index-entry-text/><text:index-entry-tab-stop style:type="right" style:leader-char="."/><text:index-entry-page-number/><text:index-entry-link-end/>
   </text:table-of-content-entry-template>
  </text:table-of-content-source>
  <text:index-body>
   <text:index-title text:name="Table1_Head"><text:p text:style-name="Standard">Table des matières</text:p></text:index-title>
   <text:p text:style-name="Standard">Introduction<text:tab/>1</text:p>
   <text:p text:style-name="Standard">Conclusion<text:tab/>1</text:p>
  </text:index-body>
 </text:table-of-content>
 <text:h text:style-name="Heading_20_1" text:outline-level="1">Introduction</text:h>
 <text:p text:style-name="Standard">Date : <text:date text:date-value="2024-03-15T10:30:00" text:fixed="true">15/03/2024</text:date>, heure : <text:time text:time-value="2024-03-15T10:30:00" text:fixed="true">10:30</text:time>.</text:p>
 <text:p text:style-name="Standard">Titre : <text:title>Rapport des champs</text:title>, page <text:page-number text:select-page="current">1</text:page-number>, voir page <text:bookmark-ref text:reference-format="page" text:ref-name="Cible">1</text:bookmark-ref>.</text:p>
 <text:h text:style-name="Heading_20_1" text:outline-level="1">Conclusion</text:h>
 <text:p text:style-name="Standard"><text:bookmark text:name="Cible"/>Fin du rapport.</text:p>
</office:text></office:body></office:document>
EOF

# A template that only lends its table-of-contents styles: a title and two levels of entries.
cat > "$work/modele-tdm.fodt" <<EOF
$head
<office:font-face-decls>
 <style:font-face style:name="Times New Roman" svg:font-family="&apos;Times New Roman&apos;" style:font-family-generic="roman"/>
 <style:font-face style:name="Arial" svg:font-family="Arial" style:font-family-generic="swiss"/>
</office:font-face-decls>
<office:styles>
 <style:default-style style:family="paragraph"><style:text-properties style:font-name="Times New Roman" fo:font-size="12pt" fo:language="fr" fo:country="FR"/></style:default-style>
 <style:style style:name="Standard" style:family="paragraph"/>
 <style:style style:name="TOC_20_Title" style:display-name="TOC Title" style:family="paragraph" style:parent-style-name="Standard">
  <style:paragraph-properties fo:text-align="center" fo:margin-bottom="0.5cm"/>
  <style:text-properties style:font-name="Arial" fo:font-size="18pt" fo:font-weight="bold"/></style:style>
 <style:style style:name="toc_20_1" style:display-name="toc 1" style:family="paragraph" style:parent-style-name="Standard">
  <style:paragraph-properties fo:margin-top="0.2cm"/>
  <style:text-properties style:font-name="Arial" fo:font-size="14pt" fo:font-weight="bold"/></style:style>
 <style:style style:name="toc_20_2" style:display-name="toc 2" style:family="paragraph" style:parent-style-name="Standard">
  <style:paragraph-properties fo:margin-left="1cm"/>
  <style:text-properties fo:font-style="italic"/></style:style>
</office:styles>
<office:body><office:text>
 <text:p text:style-name="Standard">Modèle des tables des matières.</text:p>
</office:text></office:body></office:document>
EOF

cd "$work"
# The documents named on the command line, or all of them.
docs=("$@")
((${#docs[@]})) || docs=(caracteres structure images champs)
for doc in "${docs[@]}"; do
  soffice --headless --convert-to rtf --outdir lo "$doc.fodt" >/dev/null 2>&1
  soffice --headless --convert-to odt --outdir odt "$doc.fodt" >/dev/null 2>&1
  abiword --to=rtf -o "abi/$doc.rtf" "odt/$doc.odt" >/dev/null 2>&1 || { mkdir -p abi && abiword --to=rtf -o "abi/$doc.rtf" "odt/$doc.odt" >/dev/null 2>&1; }
  cp "lo/$doc.rtf" "$out/$doc-lo.rtf"
  cp "abi/$doc.rtf" "$out/$doc-abi.rtf"
done
# The style source is read for its styles alone: LibreOffice's RTF is enough.
if (($# == 0)); then
  soffice --headless --convert-to rtf --outdir lo modele-tdm.fodt >/dev/null 2>&1
  cp lo/modele-tdm.rtf "$out/modele-tdm-lo.rtf"
fi
ls -l "$out"
