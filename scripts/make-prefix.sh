#!/usr/bin/env bash
# Makes the project's Wine prefix once: 32-bit, fonts replaced by the metric-compatible Liberation faces, 96 dpi,
# windows not handed to a window manager (Xvfb has none: Wine draws their frames and waits for none).
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
# Wine draws the buttons of window captions, scroll bars and check marks with its Marlett font, which
# this Wine does not find among its own data files: the prefix's font folder gets a copy.
copy_wine_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  [ -d "$fonts" ] && [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -f "$fonts/marlett.ttf" ] &&
    cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  return 0
}
if [ -f "$WINEPREFIX/.quillpad-ready-2" ]; then copy_wine_fonts; exit 0; fi
rm -rf "$WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"
echo "Making the Wine prefix $WINEPREFIX..."
wine wineboot -i >/dev/null 2>&1 || true
wineserver -w
reg=$(mktemp --suffix=.reg)
cat > "$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Times New Roman"="Liberation Serif"
"Arial"="Liberation Sans"
"Courier New"="Liberation Mono"

[HKEY_CURRENT_USER\Control Panel\Desktop]
"LogPixels"=dword:00000060

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts]
"LogPixels"=dword:00000060

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
wine regedit /S "Z:${reg//\//\\}" >/dev/null 2>&1
wineserver -w
rm -f "$reg"
copy_wine_fonts
touch "$WINEPREFIX/.quillpad-ready-2"
