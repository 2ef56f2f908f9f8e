#!/usr/bin/env bash
# Splits the American and British dictionaries into three word lists with their affix files: the words
# both spell alike ("english"), those only the American one accepts ("us") and those only the British one
# accepts ("uk"). Every form is spelt out, so the lists need no affix rules: each affix file keeps only its
# dictionary's suggestion settings, and the words its dictionary never suggests stay marked.
# Use: split-english.sh US-BASE GB-BASE OUTDIR   (a base is a dictionary's path without ".aff"/".dic")
set -euo pipefail
export LC_ALL=C.UTF-8
us=$1 gb=$2 out=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# Every form each dictionary gives, kept only where that dictionary itself accepts it (the expansion also
# makes forms that the affixes' continuation rules forbid).
for d in us gb; do
  base=${!d}
  unmunch "$base.dic" "$base.aff" 2>/dev/null | hunspell -i utf-8 -d "$base" -G | sort -u > "$work/$d"
  test -s "$work/$d" || { echo "split-english: $base gives no words" >&2; exit 1; }
done
hunspell -i utf-8 -d "$gb" -l < "$work/us" | sort -u > "$work/us-only"
hunspell -i utf-8 -d "$us" -l < "$work/gb" | sort -u > "$work/gb-only"
sort -u "$work/us" "$work/gb" | comm -23 - "$work/us-only" | comm -23 - "$work/gb-only" > "$work/common"

# The words a dictionary marks as never suggested (flag "!"), as written in it.
sed -n 's|^\([^/]*\)/[^ ]*!.*|\1|p' "$us.dic" "$gb.dic" | sort -u > "$work/nosuggest"

# Affix file: the dictionary's encoding, conversion and suggestion settings, without its affixes.
affixes() {
  sed '1s/^\xEF\xBB\xBF//' "$1.aff" | grep -E '^(SET|TRY|ICONV|OCONV|REP|KEY|MAP|WORDCHARS|NOSUGGEST) '
}
# Word file: its count, then each word, marked "/!" where it is never to be suggested.
words() {
  echo "$(wc -l < "$1")"
  awk 'NR == FNR { never[$0] = 1; next } { print ($0 in never) ? $0 "/!" : $0 }' "$work/nosuggest" "$1"
}
affixes "$us" > "$out/english.aff"; words "$work/common" > "$out/english.dic"
affixes "$us" > "$out/us.aff"; words "$work/us-only" > "$out/us.dic"
affixes "$gb" > "$out/uk.aff"; words "$work/gb-only" > "$out/uk.dic"
