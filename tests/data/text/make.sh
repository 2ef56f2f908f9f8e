#!/usr/bin/env bash
# Remakes the plain-text files: one French letter written by iconv in the Windows Western code page
# (ANSI text) and in the DOS code page of Western Europe (DOS text), with CR LF line ends, blank lines,
# tabs, a form feed and the characters both code pages share; and the same letter with LF line ends.
set -euo pipefail
cd "$(dirname "$0")"
letter() {
  printf 'Objet : réunion du comité\n\n'
  printf 'Chère Hélène,\n\n'
  printf '\tNous nous retrouverons à l'"'"'école, où ça commence à 9 h ; apportez « vos idées ».\n'
  printf 'Prix : 12 £, 5 ¥ ; ½ journée, 2° étage, ±5 %%, Ç Ñ Ü ß æ Ø ¿ ¡\n\n\n'
  printf 'Bien à vous.\fAnnexe : ÀÉÈÊËÎÏÔÙÛ àéèêëîïôùûÿ\n'
}
letter | sed 's/$/\r/' | iconv -f UTF-8 -t CP1252 > lettre-ansi.txt
letter | sed 's/$/\r/' | iconv -f UTF-8 -t CP850 > lettre-dos.txt
letter | iconv -f UTF-8 -t CP1252 > lettre-lf.txt
