#!/bin/sh
# Runs a Windows program under wine64. Uses $WINEPREFIX when set; otherwise makes a throwaway
# prefix for this one run and removes it afterwards.
set -eu
wine=${ORVANEL_WINE:-/usr/lib/wine/wine64}
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer prompts in a fresh prefix.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

if [ -n "${WINEPREFIX:-}" ]; then
    exec "$wine" "$@"
fi

WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/orvanel-wine.XXXXXX")
export WINEPREFIX
status=0
"$wine" "$@" || status=$?
/usr/lib/wine/wineserver -k 2>/dev/null || true
/usr/lib/wine/wineserver -w 2>/dev/null || true
rm -rf "$WINEPREFIX"
exit $status
