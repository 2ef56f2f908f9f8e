#!/usr/bin/env bash
# Starts Quillpad under Wine: on the user's display, or on Xvfb with a screenshot when there is none.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
"$here/make-prefix.sh"
exe="$QP_BUILD/win-$QP_ARCH/bin/Quillpad.exe"
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$WINELOADER" "$exe" "$@"
fi
shot="$QP_BUILD/quillpad-screen.png"
echo "No display: running Quillpad on Xvfb."
"$here/screenshot.sh" "$shot" --title Quillpad --wait 30 "$exe" "$@"
