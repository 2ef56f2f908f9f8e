#!/usr/bin/env bash
# Starts a program of the build on its own Xvfb screen, waits for a window titled as asked (or a time),
# saves a PNG of the screen and ends the program.
# Use: screenshot.sh OUT.png [--title TEXT] [--wait SECONDS] [--keys "KEY..."] PROGRAM.exe [ARGS...]
# --keys: keys typed into the window (xdotool key names, e.g. "alt+a Down") before the screenshot.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$1; shift
title=""; wait=20; keys=""
while [ $# -gt 0 ]; do
  case $1 in
    --title) title=$2; shift 2 ;;
    --wait) wait=$2; shift 2 ;;
    --keys) keys=$2; shift 2 ;;
    *) break ;;
  esac
done
source "$here/wine-env.sh"
"$here/make-prefix.sh"

disp=:$((100 + RANDOM % 400))
Xvfb "$disp" -screen 0 1280x960x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $prog $xvfb 2>/dev/null' EXIT
export DISPLAY=$disp
sleep 1
wine "$@" &
prog=$!
for _ in $(seq 1 $((wait * 4))); do
  if [ -n "$title" ] && xwininfo -root -tree 2>/dev/null | grep -qF "\"$title"; then sleep 1.5; break; fi
  kill -0 $prog 2>/dev/null || break
  sleep 0.25
done
if [ -n "$keys" ]; then
  for key in $keys; do xdotool key "$key"; sleep 0.5; done
  sleep 1
fi
import -window root "$out"
echo "Screenshot saved: $out"
