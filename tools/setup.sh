#!/usr/bin/env bash
# One-time machine setup: every package the build, the tests, the benchmarks
# and the artwork generator need, from Debian's archive, plus a static libpng
# cross-built for both Windows targets from Debian's libpng source package.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
export DEBIAN_FRONTEND=noninteractive

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

packages=(
  build-essential cmake ninja-build ccache pkg-config clang-format
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  libz-mingw-w64-dev
  wine64 xvfb x11-utils xdotool imagemagick
  libpng-dev zlib1g-dev libsndfile1-dev libx11-dev libxext-dev
  libgtest-dev googletest libbenchmark-dev
  lsp-plugins-vst
  python3 python3-cairo fonts-dejavu-core sox
  dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

# MinGW's posix thread model gives std::mutex and std::thread.
for t in x86_64 i686; do
  for c in gcc g++; do
    if [ -e "/usr/bin/$t-w64-mingw32-$c-posix" ]; then
      $SUDO update-alternatives --set "$t-w64-mingw32-$c" "/usr/bin/$t-w64-mingw32-$c-posix" >/dev/null 2>&1 || true
    fi
  done
done

"$here/tools/build-libpng-mingw.sh"
