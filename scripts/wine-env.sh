# Sourced by the scripts that run Windows programs: the project's own Wine prefix, French locale.
# The prefix is 32-bit where this machine runs 32-bit code, else 64-bit (see winarch.sh).
_qp_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export QP_BUILD=${QP_BUILD:-$_qp_root/build}
export QP_ARCH=${QP_ARCH:-$("$_qp_root/scripts/winarch.sh")}
if [ "$QP_ARCH" = i686 ]; then
  export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32
else
  export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
fi
export WINEPREFIX=${QP_WINEPREFIX:-$QP_BUILD/wineprefix-$WINEARCH}
export LANG=fr_FR.UTF-8
export LC_ALL=fr_FR.UTF-8
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mshtml=;mscoree=;winemenubuilder.exe=d"
wine() { "$WINELOADER" "$@"; }
wineserver() { "$WINESERVER" "$@"; }
