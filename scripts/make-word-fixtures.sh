#!/usr/bin/env bash
# Makes the Word 97 fixtures of the Word reader tests with independent programs: the documents are
# described below in RTF, LibreOffice (headless) writes each as a Word 97 file, and antiword and catdoc
# extract the text the tests compare with. The small results are committed under tests/data/word, so
# the tests and CI need none of these programs. Run by hand (it installs them when missing, as root).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
out="$here/tests/data/word"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

need=()
command -v soffice >/dev/null || need+=(libreoffice-writer-nogui)
command -v antiword >/dev/null || need+=(antiword)
command -v catdoc >/dev/null || need+=(catdoc)
if ((${#need[@]})); then
  apt-get update -q
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${need[@]}"
fi

# A 16 x 8 PNG of colour bars for the picture document.
png_hex="$(python3 - <<'PY'
import struct, zlib
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
rows = b"".join(b"\0" + b"".join(bytes(((x * 16) % 256, 255 - y * 30, 128)) for x in range(16)) for y in range(8))
png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 16, 8, 8, 2, 0, 0, 0)) \
    + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b"")
print(png.hex())
PY
)"

head='{\rtf1\ansi\ansicpg1252\deff0
{\fonttbl{\f0\froman\fcharset0 Times New Roman;}{\f1\fswiss\fcharset0 Arial;}{\f2\fmodern\fcharset0 Courier New;}}
{\colortbl;\red0\green0\blue0;\red255\green0\blue0;\red0\green0\blue255;}
{\stylesheet{\s0\f0\fs24 Normal;}{\s1\sb240\sa120\keepn\f1\fs32\b\sbasedon0\snext0 heading 1;}
{\s2\li720\ri720\i\sbasedon0\snext0 Citation, Bloc;}}
{\info{\title Titre du document}{\author Auteur Exemple}{\subject Sujet}}
\paperw11906\paperh16838\margl1417\margr1417\margt1417\margb1417
'

cat > "$work/caracteres97.rtf" <<EOF2
$head
\pard\plain\s1\sb240\sa120\keepn\f1\fs32\b Premier titre\par
\pard\plain\f0\fs24 Texte normal, {\b gras}, {\i italique}, {\ul soulign\'e9}, {\strike barr\'e9}, {\scaps petites capitales} et {\caps majuscules}.\par
\pard\plain\f0\fs24 Tailles : {\fs16 huit}, {\fs36 dix-huit} ; polices : {\f1 Arial}, {\f2 Courier New} ; couleur {\cf2 rouge} ; {\super exposant} et {\sub indice}.\par
\pard\plain\qc\f0\fs24 Paragraphe centr\'e9 : \'e0 \'e7 \'e9 \'e8 \'ea \'f4 \'9c \'80.\par
\pard\plain\qr\f0\fs24 Paragraphe align\'e9 \'e0 droite.\par
\pard\plain\qj\li1134\ri567\fi-567\sl360\slmult1\sb120\sa240\f0\fs24 Paragraphe justifi\'e9 avec retraits, interligne d'une ligne et demie et espaces avant et apr\'e8s ; il est assez long pour occuper plusieurs lignes sur la page.\par
\pard\plain\tx1418\tqc\tx4536\tqr\tldot\tx9072\f0\fs24 Gauche\tab Centre\tab Droite\par
\pard\plain\s2\li720\ri720\i\f0\fs24 Une citation dans son style.\par
\pard\plain\f0\fs24 Avant le saut\page Apr\'e8s le saut de page.\par
}
EOF2

cat > "$work/structure97.rtf" <<EOF2
$head
\facingp\ftnbj\aenddoc
{\header\pard\plain\qc\f0\fs20 En-t\'eate du document\par}
{\footer\pard\plain\qr\f0\fs20 Page {\field{\*\fldinst PAGE}{\fldrslt 1}}\par}
\pard\plain\f0\fs24 Premi\'e8re section avec une note{\chftn{\footnote\pard\plain\f0\fs20{\chftn} Texte de la note de bas de page.}} et une note de fin{\chftn{\footnote\ftnalt\pard\plain\f0\fs20{\chftn} Texte de la note de fin.}}.\par
\pard\plain\f0\fs24 Un {\*\bkmkstart signet}signet{\*\bkmkend signet} et un lien {\field{\*\fldinst HYPERLINK "http://exemple.org/"}{\fldrslt exemple.org}}.\par
\trowd\cellx3000\cellx6000\pard\plain\intbl\f0\fs24 Cellule A\cell Cellule B\cell\row
\pard\plain\f0\fs24 Fin de la premi\'e8re section.\par
\sect\sectd\sbkpage\lndscpsxn\pgwsxn16838\pghsxn11906\cols2\colsx720\linebetcol
\pard\plain\f0\fs24 Deuxi\'e8me section en paysage sur deux colonnes.\par
\pard\plain\f0\fs24 Suite de la deuxi\'e8me section.\par
}
EOF2

cat > "$work/image97.rtf" <<EOF2
$head
\pard\plain\f0\fs24 Une image :\par
\pard\plain\qc\f0\fs24{\pict\pngblip\picw16\pich8\picwgoal1440\pichgoal720 $png_hex}\par
\pard\plain\f0\fs24 Apr\'e8s l'image.\par
}
EOF2

profile="$work/profile"
for doc in caracteres97 structure97 image97; do
  soffice -env:UserInstallation="file://$profile" --headless --convert-to 'doc:MS Word 97' \
    --outdir "$work" "$work/$doc.rtf" >/dev/null
  cp "$work/$doc.doc" "$out/$doc.doc"
  antiword -m UTF-8.txt -w 0 "$out/$doc.doc" > "$out/$doc.antiword.txt" || true
  catdoc -d utf-8 -w "$out/$doc.doc" > "$out/$doc.catdoc.txt" || true
done
echo "fixtures written to $out"
