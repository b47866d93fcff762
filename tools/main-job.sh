#!/usr/bin/env bash
# The main job: builds the plug-ins for all three targets, renders a demo
# signal through factory programs of every product with the command-line
# host, writes pictures of every editor and puts every plug-in through the
# host's validation battery. Results go to out/.
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
echo "done: audio in $out/audio, pictures in $out/pictures, descriptions in $out/info," \
  "validation reports in $out/validate"
