#!/usr/bin/env bash
# Refuses any include that points up a floor, and any engine header that includes <windows.h> (itself or
# through the headers it includes).
#
# The floors, lowest first: classlib, codecs, core, document, editing, formats, window, tools and
# dialogs (one floor), shell. A source includes its own floor and those below it. Beside them: the
# spelling engine stands just above codecs (the program reaches it through its interface, and it uses
# nothing of the word processor), the setup program uses classlib only, and the resource generator
# classlib and codecs. Tests and benchmarks may use every floor.
#
# Usage: check-floors.sh [root]   (root: the tree to check, by default this one)
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

# The floor of a top folder; the empty string for a folder that is not checked.
floor() {
  case $1 in
    classlib) echo 0 ;;
    codecs) echo 10 ;;
    spelling) echo 15 ;;
    core) echo 20 ;;
    document) echo 30 ;;
    editing) echo 40 ;;
    formats) echo 50 ;;
    window) echo 60 ;;
    tools | dialogs) echo 70 ;;
    shell) echo 80 ;;
    *) echo "" ;;
  esac
}

# Whether File (of folder From) may include a header of folder To.
allowed() {
  local file=$1 from=$2 to=$3
  [ "$from" = "$to" ] && return 0
  case $from in
    setup) [ "$to" = classlib ] && return 0 || return 1 ;;
    resources) [ "$to" = classlib ] || [ "$to" = codecs ] && return 0 || return 1 ;;
  esac
  local f t
  f=$(floor "$from")
  t=$(floor "$to")
  [ -z "$t" ] && return 0 # a folder outside the floors: tests, generated headers
  [ "$from" = spelling ] && [ "$t" -gt 10 ] && return 1
  [ "$t" -le "$f" ]
}

# Whether a header of the tree includes <windows.h>, itself or through the headers it includes.
declare -A reaches=()
reaches_windows() {
  local header=$1 inc
  [ -n "${reaches[$header]:-}" ] && { [ "${reaches[$header]}" = 1 ]; return; }
  reaches[$header]=0 # guards against include cycles
  [ -f "$header" ] || return 1
  if grep -qE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<windows\.h>' "$header"; then
    reaches[$header]=1
    return 0
  fi
  while IFS= read -r inc; do
    if reaches_windows "$inc"; then
      reaches[$header]=1
      return 0
    fi
  done < <(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]*)".*/\1/p' "$header")
  return 1
}

bad=0
while IFS= read -r -d '' file; do
  from=${file%%/*}
  while IFS= read -r line; do
    [[ $line =~ \"([^\"]*)\" ]] || continue
    header=${BASH_REMATCH[1]}
    [[ $header == */* ]] || continue
    to=${header%%/*}
    if ! allowed "$file" "$from" "$to" "$header"; then
      echo "check-floors: $file includes $header, above its floor" >&2
      bad=1
    fi
  done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
  # No engine header reaches Windows.
  case $file in
    core/*.h | document/*.h | editing/*.h | formats/*.h)
      if reaches_windows "$file"; then
        echo "check-floors: engine header $file includes <windows.h>, itself or through its includes" >&2
        bad=1
      fi
      ;;
  esac
done < <(find classlib codecs core document editing formats window tools dialogs shell spelling setup resources \
  -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.c' \) -print0 2>/dev/null)

if [ "$bad" -ne 0 ]; then
  echo "check-floors: includes point down only (classlib, codecs, core, document, editing, formats, window," \
    "tools and dialogs, shell)" >&2
  exit 1
fi
echo "check-floors: every include points down a floor"
