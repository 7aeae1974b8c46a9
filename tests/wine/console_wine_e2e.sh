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
for tool in Xvfb xdotool xprop unshare nsenter ip tshark python3; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done

script=$(dirname "$0")/console_wine_e2e.py
if [ "$(id -u)" = 0 ] && unshare -n true 2>/dev/null; then
    # The whole session in a network of its own: wine makes a program's sockets in its server,
    # so the server must be in there too. The network step joins it to the show network's
    # receiver (and an office) by veth pairs; the packets go nowhere else.
    exec unshare -n sh -ec 'ip link set lo up
ip route add default dev lo
exec python3 "$0" --network "$@"' "$script" "$@"
fi
exec python3 "$script" "$@"
