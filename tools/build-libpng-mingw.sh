#!/usr/bin/env bash
# Cross-builds a static libpng for both Windows targets from Debian's libpng
# source package, against Debian's MinGW zlib. Results go to
# build/deps/<triple>/{include,lib}; nothing here is committed.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
deps="$root/build/deps"
mkdir -p "$deps"

done_for() { [ -f "$deps/$1/lib/libpng16.a" ] && [ -f "$deps/$1/include/png.h" ]; }
if done_for x86_64-w64-mingw32 && done_for i686-w64-mingw32; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi
srclist=/etc/apt/sources.list.d/quorvex-deb-src.sources
if ! apt-get source --print-uris libpng1.6 >/dev/null 2>&1; then
  sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | $SUDO tee "$srclist" >/dev/null
  $SUDO apt-get update
fi

src="$deps/src"
if [ ! -d "$src/libpng" ]; then
  rm -rf "$src" && mkdir -p "$src"
  # Only the upstream tarball is needed; the Debian packaging files may be
  # missing from a mirror, so their failure is tolerated and the tarball checked.
  (cd "$src" && apt-get source --download-only libpng1.6) || true
  ls "$src"/libpng1.6_*.orig.tar.* >/dev/null 2>&1 || { echo "libpng source tarball not fetched" >&2; exit 1; }
  orig=$(ls "$src"/libpng1.6_*.orig.tar.* | head -1)
  mkdir -p "$src/libpng"
  tar -xf "$orig" -C "$src/libpng" --strip-components=1
fi

for triple in x86_64-w64-mingw32 i686-w64-mingw32; do
  done_for "$triple" && continue
  b="$deps/build-$triple"
  rm -rf "$b"
  cmake -S "$src/libpng" -B "$b" -G Ninja \
    -DCMAKE_SYSTEM_NAME=Windows \
    -DCMAKE_C_COMPILER="$triple-gcc-posix" \
    -DCMAKE_RC_COMPILER="$triple-windres" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$deps/$triple" \
    -DCMAKE_FIND_ROOT_PATH="/usr/$triple" \
    -DZLIB_INCLUDE_DIR="/usr/$triple/include" \
    -DZLIB_LIBRARY="/usr/$triple/lib/libz.a" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_FILES=ON -DSKIP_INSTALL_EXECUTABLES=ON >/dev/null
  cmake --build "$b" >/dev/null
  cmake --install "$b" >/dev/null
  echo "libpng for $triple: $deps/$triple"
done
