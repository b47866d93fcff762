#!/usr/bin/env bash
# Configures and builds the given presets (default: linux win64 win32).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
# Compiler cache hits across checkouts in different folders: paths under the
# checkout are hashed relative to it, and the folder itself is left out.
export CCACHE_BASEDIR="$root"
export CCACHE_NOHASHDIR=true
presets=("$@")
[ "${#presets[@]}" -gt 0 ] || presets=(linux win64 win32)
for p in "${presets[@]}"; do
  echo "== build $p"
  cmake --preset "$p" >/dev/null
  cmake --build --preset "$p" -j "$(nproc)"
done
