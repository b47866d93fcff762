#!/usr/bin/env bash
# Runs a Windows program of the win64 build under wine64, quietly, with a
# private prefix so that tests never touch a user's own wine setup.
export WINEPREFIX="${QUORVEX_WINEPREFIX:-${TMPDIR:-/tmp}/quorvex-wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# --stop ends the prefix's server (and the desktop it keeps on the display),
# for callers about to take the display away.
if [ "${1:-}" = "--stop" ]; then
  server=$(command -v wineserver || command -v wineserver64 || echo /usr/lib/wine/wineserver64)
  "$server" -k 2>/dev/null || true
  exit 0
fi
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
exec "$wine" "$@"
