#!/usr/bin/env bash
# Writes the word file of the proper-name lexicon: the entries of the French dictionary tagged as first
# names ("po:prn") or family names ("po:patr"), with their flags, for the same affix file.
# Use: proper-names.sh FRENCH.dic OUT.dic
set -euo pipefail
export LC_ALL=C.UTF-8
names=$(grep -E '[[:space:]]po:(prn|patr)([[:space:]]|$)' "$1" | LC_ALL=C sort -u)
count=$(printf '%s\n' "$names" | wc -l)
[ "$count" -ge 1000 ] || { echo "proper-names: only $count names in $1" >&2; exit 1; }
{ echo "$count"; printf '%s\n' "$names"; } > "$2"
