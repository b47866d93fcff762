#!/usr/bin/env bash
# Builds the three targets and the sanitizer builds, then runs every test:
# the native suite, the sanitizer suite, the thread-sanitizer suite (tests
# labelled threads), the win64 suite under wine, and the export tables of
# all three builds.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
start=$SECONDS
stage() { echo; echo "== $* ($((SECONDS - start)) s)"; }

stage setup
tools/setup.sh

# One virtual display for every editor-window test, native and under wine.
if [ -z "${DISPLAY:-}" ]; then
  disp=:$((90 + RANDOM % 9))
  Xvfb "$disp" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
  export DISPLAY=$disp
  sleep 1
fi

stage build linux win64 win32
tools/build-all.sh linux win64 win32

status=0
stage "test linux"
ctest --preset linux || status=1

stage "test win64 (under wine)"
ctest --preset win64 || status=1

stage "build and test linux-asan"
tools/build-all.sh linux-asan
ASAN_OPTIONS=detect_leaks=1 ctest --preset linux-asan || status=1

stage "build and test linux-tsan (tests labelled threads)"
tools/build-all.sh linux-tsan
TSAN_OPTIONS=halt_on_error=1 ctest --preset linux-tsan || status=1

stage "export tables of all three builds"
QUORVEX_REQUIRE_ALL_BUILDS=1 ctest --preset linux -R '^plugin_exports$' || status=1

stage "done, status $status"
exit $status
