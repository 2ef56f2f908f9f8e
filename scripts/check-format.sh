#!/usr/bin/env bash
# Holds every C++ source of the tree to the house style of .clang-format; lists the files that stray.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -co --exclude-standard '*.cpp' '*.h' | while read -r f; do [ -f "$f" ] && echo "$f"; done)
bad=()
for f in "${files[@]}"; do
  clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -gt 0 ]; then
  echo "check-format: these files stray from .clang-format (run clang-format -i on them):" >&2
  printf '  %s\n' "${bad[@]}" >&2
  exit 1
fi
echo "check-format: ${#files[@]} files in the house style"
