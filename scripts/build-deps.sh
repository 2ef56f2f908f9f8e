#!/usr/bin/env bash
# Cross-builds the libraries that Debian ships only as sources (GoogleTest, libjpeg-turbo)
# into a cache outside the source tree; each is rebuilt only when its Debian version changes.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
arch=${1:-i686}
base=${QUILLPAD_DEPS:-${XDG_CACHE_HOME:-$HOME/.cache}/quillpad-deps}
cache="$base/$arch"
toolchain="$root/cmake/mingw-$arch.cmake"
jobs=$(nproc)
mkdir -p "$cache"

pkg_version() { dpkg-query -W -f='${Version}' "$1" 2>/dev/null || apt-cache policy "$1" | awk '/Candidate:/ {print $2}'; }
src_version() { apt-cache showsrc "$1" 2>/dev/null | awk '/^Version:/ {print $2; exit}'; }

# GoogleTest from the googletest package's sources.
gt_ver=$(pkg_version googletest)
gt_dir="$cache/googletest"
if [ "$(cat "$gt_dir/.version" 2>/dev/null)" != "$gt_ver" ]; then
  echo "Building GoogleTest $gt_ver for $arch..."
  rm -rf "$gt_dir" "$cache/build-googletest"
  cmake -S /usr/src/googletest -B "$cache/build-googletest" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$gt_dir" -Dgtest_disable_pthreads=OFF \
    -DCMAKE_CXX_FLAGS="-static" > "$cache/googletest.log" 2>&1
  cmake --build "$cache/build-googletest" -j "$jobs" >> "$cache/googletest.log" 2>&1
  cmake --install "$cache/build-googletest" >> "$cache/googletest.log" 2>&1
  rm -rf "$cache/build-googletest"
  echo "$gt_ver" > "$gt_dir/.version"
fi

# A Debian source package, fetched once per version into the cache.
fetch_source() { # name -> prints the unpacked folder
  local name=$1 ver dir
  ver=$(src_version "$name")
  dir="$base/src/$name-$ver"
  if [ ! -d "$dir" ]; then
    rm -rf "$base/src/$name-"* "$base/src/fetch-$name"
    mkdir -p "$base/src/fetch-$name"
    (cd "$base/src/fetch-$name" && apt-get source -q --download-only "$name" >/dev/null 2>&1 \
      && dpkg-source -x --no-check ./*.dsc unpacked >/dev/null)
    mv "$base/src/fetch-$name/unpacked" "$dir"
    rm -rf "$base/src/fetch-$name"
  fi
  echo "$dir"
}

# libjpeg-turbo's IJG API, static, without the assembler kernels.
jt_ver=$(src_version libjpeg-turbo)
jt_dir="$cache/libjpeg"
if [ "$(cat "$jt_dir/.version" 2>/dev/null)" != "$jt_ver" ]; then
  echo "Building libjpeg-turbo $jt_ver for $arch..."
  src=$(fetch_source libjpeg-turbo)
  rm -rf "$jt_dir" "$cache/build-libjpeg"
  cmake -S "$src" -B "$cache/build-libjpeg" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$jt_dir" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=ON > "$cache/libjpeg.log" 2>&1
  cmake --build "$cache/build-libjpeg" -j "$jobs" --target jpeg-static >> "$cache/libjpeg.log" 2>&1
  mkdir -p "$jt_dir/include" "$jt_dir/lib"
  cp "$cache/build-libjpeg/libjpeg.a" "$jt_dir/lib/"
  cp "$src/jpeglib.h" "$src/jmorecfg.h" "$src/jerror.h" "$cache/build-libjpeg/jconfig.h" "$jt_dir/include/"
  rm -rf "$cache/build-libjpeg"
  echo "$jt_ver" > "$jt_dir/.version"
fi

# Hunspell's library, static: its sources compiled directly with HUNSPELL_STATIC (the autotools
# build marks every class for export, which a static library must not do).
hs_ver=$(src_version hunspell)
hs_dir="$cache/hunspell"
if [ "$(cat "$hs_dir/.version" 2>/dev/null)" != "$hs_ver" ]; then
  echo "Building Hunspell $hs_ver for $arch..."
  src=$(fetch_source hunspell)
  rm -rf "$hs_dir" "$cache/build-hunspell"
  mkdir -p "$cache/build-hunspell" "$hs_dir/include/hunspell" "$hs_dir/lib"
  : > "$cache/hunspell.log"
  pids=()
  for f in "$src"/src/hunspell/*.cxx; do
    "$arch-w64-mingw32-g++-posix" -O2 -DHUNSPELL_STATIC -DNDEBUG -I"$src/src/hunspell" \
      -c "$f" -o "$cache/build-hunspell/$(basename "$f" .cxx).o" >> "$cache/hunspell.log" 2>&1 &
    pids+=($!)
  done
  for p in "${pids[@]}"; do wait "$p"; done
  "$arch-w64-mingw32-ar" rcs "$hs_dir/lib/libhunspell.a" "$cache"/build-hunspell/*.o
  cp "$src"/src/hunspell/*.hxx "$src"/src/hunspell/*.h "$hs_dir/include/hunspell/"
  rm -rf "$cache/build-hunspell"
  echo "$hs_ver" > "$hs_dir/.version"
fi
