#!/usr/bin/env bash
# Runs one Windows program of the build in the project's Wine prefix and returns its exit code.
# Its output goes through a file: Wine's own service processes, started by the first program, would
# otherwise inherit the caller's pipe and keep it open long after the program ended.
source "$(dirname "$0")/wine-env.sh"
out=$(mktemp)
"$WINELOADER" "$@" > "$out" 2>&1 < /dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
