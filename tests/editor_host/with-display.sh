#!/bin/sh
# Runs a command with an X display: the caller's DISPLAY when set, otherwise
# a private Xvfb (display number picked by Xvfb itself), stopped afterwards.
if [ -n "$DISPLAY" ]; then exec "$@"; fi
fifo_dir=$(mktemp -d) || exit 1
mkfifo "$fifo_dir/fd" || exit 1
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo_dir/fd" >/dev/null 2>&1 &
xvfb=$!
read -r number <"$fifo_dir/fd"
rm -rf "$fifo_dir"
if [ -z "$number" ]; then
    echo "with-display.sh: Xvfb did not start" >&2
    kill "$xvfb" 2>/dev/null
    exit 1
fi
DISPLAY=":$number" "$@"
status=$?
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
exit $status
