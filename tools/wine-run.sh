#!/usr/bin/env bash
# Runs a Windows program of the win64 build under wine64, quietly, with a
# private prefix so that tests never touch a user's own wine setup.
export WINEPREFIX="${QUORVEX_WINEPREFIX:-${TMPDIR:-/tmp}/quorvex-wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
exec "$wine" "$@"
