#!/usr/bin/env bash
# Configures and builds the given presets (default: linux win64 win32).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
presets=("$@")
[ "${#presets[@]}" -gt 0 ] || presets=(linux win64 win32)
for p in "${presets[@]}"; do
  echo "== build $p"
  cmake --preset "$p" >/dev/null
  cmake --build --preset "$p" -j "$(nproc)"
done
