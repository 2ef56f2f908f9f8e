#!/usr/bin/env bash
# Remakes navigation.rtf, the document of the keyboard tests: A4 pages with 2.5 cm margins (9072 twips of
# text, 63 characters of Courier New 12 pt), so that lines of words of nine letters break after six words
# and every column is a character count. Paragraph 0 holds 18 words (three lines), paragraph 1 is short,
# paragraph 2 has a line break, and 90 paragraphs of 12 words follow over several pages.
set -euo pipefail
cd "$(dirname "$0")"
words() { # first count
  local i out=""
  for ((i = $1; i < $1 + $2; i++)); do out+="$(printf 'mot%06d' "$i") "; done
  printf '%s' "${out% }"
}
{
  printf '{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fmodern Courier New;}}\n'
  printf '\\paperw11906\\paperh16838\\margl1417\\margr1417\\margt1417\\margb1417\n'
  printf '\\pard\\plain\\f0\\fs24 %s\\par\n' "$(words 1 18)"
  printf '\\pard\\plain\\f0\\fs24 Court.\\par\n'
  printf '\\pard\\plain\\f0\\fs24 Avant la coupure\\line apr\\'"'"'e8s la coupure.\\par\n'
  for ((p = 0; p < 89; p++)); do
    printf '\\pard\\plain\\f0\\fs24 %s\\par\n' "$(words $((100 + p * 12)) 12)"
  done
  # The last paragraph ends the document: no empty one after it.
  printf '\\pard\\plain\\f0\\fs24 %s}\n' "$(words $((100 + 89 * 12)) 12)"
} > navigation.rtf
