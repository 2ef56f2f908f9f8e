#!/usr/bin/env bash
# Makes a Debian 12 machine ready to build and test Quillpad; does nothing when all is there.
set -euo pipefail

need_root() { if [ "$(id -u)" -ne 0 ]; then echo "install.sh: run as root (or through sudo)" >&2; exit 1; fi; }

PACKAGES=(
  wine wine32 wine64 g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 libz-mingw-w64-dev
  xvfb xauth x11-utils imagemagick fonts-wine fonts-liberation cmake ninja-build ccache
  dpkg-dev make g++ googletest libgtest-dev locales pngcheck zlib1g-dev unrtf
  libjpeg62-turbo-dev hunspell-fr-classical hunspell-en-us hunspell-en-gb hunspell hunspell-tools iso-codes
  gifsicle clang-format libreoffice-writer-nogui python3
  clang libclang-rt-14-dev libtiff-tools unzip
  antiword catdoc
  xdotool fonts-ipafont-gothic
  fp-utils-3.2.2 libchm-bin sox
)

missing=()
arch_ok=1
dpkg --print-foreign-architectures | grep -qx i386 || arch_ok=0
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
src_ok=1
grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ || grep -qs '^deb-src' /etc/apt/sources.list || src_ok=0

if [ $arch_ok -eq 0 ] || [ ${#missing[@]} -gt 0 ] || [ $src_ok -eq 0 ]; then
  need_root
  [ $arch_ok -eq 1 ] || dpkg --add-architecture i386
  if [ $src_ok -eq 0 ]; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
        > /etc/apt/sources.list.d/quillpad-src.sources
    else
      grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' > /etc/apt/sources.list.d/quillpad-src.list
    fi
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${PACKAGES[@]}"
fi

# Wine runs the program in the French locale: glibc must know it.
if ! locale -a 2>/dev/null | grep -qi '^fr_FR\.utf-\?8$'; then
  need_root
  sed -i 's/^# *fr_FR.UTF-8 UTF-8/fr_FR.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^fr_FR.UTF-8 UTF-8' /etc/locale.gen || echo 'fr_FR.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi

# Cross-built dependencies, each once into a cache outside the source tree.
here=$(cd "$(dirname "$0")" && pwd)
"$here/build-deps.sh" i686
"$here/build-deps.sh" x86_64
