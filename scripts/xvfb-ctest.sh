#!/usr/bin/env bash
# Runs the Windows test programs through ctest under one Xvfb screen and one lasting wineserver.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
"$here/make-prefix.sh"
wineserver -p >/dev/null 2>&1
xvfb-run -a -s "-screen 0 1280x960x24 -nolisten tcp" ctest --test-dir "$QP_BUILD/win-$QP_ARCH" --output-on-failure "$@"
rc=$?
wineserver -k >/dev/null 2>&1
exit $rc
