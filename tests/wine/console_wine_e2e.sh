#!/bin/sh
# End-to-end test of the Windows program under wine: starts orvanel.exe with COM1 of the wine
# prefix on a pseudo-terminal, drives it with xdotool and checks the DMX frames that reach the
# terminal; with --installer, also installs, runs and uninstalls the installer's copy.
# Usage: console_wine_e2e.sh PROGRAM.exe [--installer SETUP.exe] [--display :N] [--bench]
# Uses $WINEPREFIX when set, otherwise a throwaway prefix. Exits 77 (skipped) where the test
# cannot run here.
set -u

skip() {
    echo "SKIP: $*"
    exit 77
}

usage="usage: $0 PROGRAM.exe [--installer SETUP.exe] [--display :N] [--bench]"
[ $# -ge 1 ] || { echo "$usage" >&2; exit 2; }
[ -f "$1" ] || { echo "no program at $1" >&2; exit 2; }
wine=${ORVANEL_WINE:-/usr/lib/wine/wine64}
[ -x "$wine" ] || skip "wine64 is not installed"
for tool in Xvfb xdotool xprop python3; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done

exec python3 "$(dirname "$0")/console_wine_e2e.py" "$@"
