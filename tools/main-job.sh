#!/usr/bin/env bash
# The main job: builds the plug-ins for all three targets, renders a demo
# signal through factory programs of every product with the command-line
# host, writes pictures of every editor and puts every plug-in through the
# host's validation battery, then renders and pictures again through the
# Windows build under wine64, set beside the native ones. Results go to out/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

tools/setup.sh
tools/build-all.sh linux win64 win32

host=build/linux/bin/quorvex-host
plugins=build/linux/plugins
out=out
mkdir -p "$out/audio" "$out/pictures" "$out/info"

echo "== plug-in descriptions"
for lib in "$plugins"/quorvex*.so; do
  name=$(basename "$lib" .so)
  "$host" info "$lib" > "$out/info/$name.txt"
  head -n 6 "$out/info/$name.txt"
done

echo "== demo renders"
python3 tools/make-demo-signal.py "$out/audio/demo-dry.wav"
render() { # plugin program output
  "$host" render "$plugins/$1.so" "$out/audio/demo-dry.wav" "$out/audio/$3.wav" --program "$2"
  echo "rendered $out/audio/$3.wav ($1, \"$2\")"
}
while IFS='|' read -r plugin program file; do
  [ -n "$plugin" ] && render "$plugin" "$program" "$file"
done < tools/demo-renders.txt

echo "== editor pictures"
if [ -z "${DISPLAY:-}" ]; then
  Xvfb :89 -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
  export DISPLAY=:89
  sleep 1
fi
while IFS='|' read -r plugin args file; do
  [ -n "$plugin" ] || continue
  # shellcheck disable=SC2086
  eval "\"\$host\" snapshot \"\$plugins/\$plugin.so\" \"\$out/pictures/\$file.png\" $args"
  echo "wrote $out/pictures/$file.png"
done < tools/demo-pictures.txt
echo "== host behaviours (validate)"
mkdir -p "$out/validate"
for lib in "$plugins"/quorvex*.so; do
  name=$(basename "$lib" .so)
  if "$host" validate "$lib" > "$out/validate/$name.txt" 2>&1; then
    echo "$name: $(tail -n 1 "$out/validate/$name.txt")"
  else
    echo "$name: validate failed, see $out/validate/$name.txt" >&2
    exit 1
  fi
done
echo "== the Windows build under wine64: the same renders, pictures and validation"
winhost="tools/wine-run.sh build/win64/bin/quorvex-host.exe"
winplugins=build/win64/plugins
mkdir -p "$out/audio/win64" "$out/pictures/win64"
while IFS='|' read -r plugin program file; do
  [ -n "$plugin" ] || continue
  $winhost render "$winplugins/$plugin.dll" "$out/audio/demo-dry.wav" \
    "$out/audio/win64/$file.wav" --program "$program" > /dev/null
  echo "$file: Windows against native: $(python3 tools/compare-renders.py \
    "$out/audio/$file.wav" "$out/audio/win64/$file.wav" 1e-5)"
done < tools/demo-renders.txt
while IFS='|' read -r plugin args file; do
  [ -n "$plugin" ] || continue
  # shellcheck disable=SC2086
  eval "$winhost snapshot \"\$winplugins/\$plugin.dll\" \"\$out/pictures/win64/\$file.png\" $args" \
    > /dev/null
  echo "wrote $out/pictures/win64/$file.png"
done < tools/demo-pictures.txt

mkdir -p "$out/validate/win64"
for lib in "$winplugins"/quorvex*.dll; do
  name=$(basename "$lib" .dll)
  if $winhost validate "$lib" > "$out/validate/win64/$name.txt" 2>&1; then
    echo "$name.dll: $(tail -n 1 "$out/validate/win64/$name.txt" | tr -d '\r')"
  else
    echo "$name.dll: validate failed, see $out/validate/win64/$name.txt" >&2
    exit 1
  fi
done
tools/wine-run.sh --stop

echo "done: audio in $out/audio, pictures in $out/pictures (Windows ones in win64/)," \
  "descriptions in $out/info, validation reports in $out/validate (Windows ones in win64/)"
