#!/bin/sh
# End-to-end test of the built program: starts it under Xvfb with COM1 on a pseudo-terminal,
# drives it with xdotool and checks the DMX frames that reach the terminal; then the network
# outputs on a show network built from network namespaces, as a receiver there records them.
# Usage: console_e2e.sh PROGRAM [--bench]
# Exits 77 (skipped) where the test cannot run here.
set -u

skip() {
    echo "SKIP: $*"
    exit 77
}

[ $# -ge 1 ] || { echo "usage: $0 PROGRAM [--bench]" >&2; exit 2; }
[ -x "$1" ] || { echo "no program at $1" >&2; exit 2; }
[ "$(id -u)" = 0 ] || skip "needs root to bind a pseudo-terminal into a private /dev"
for tool in unshare nsenter mount ip tshark Xvfb xdotool python3; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done
unshare -m --propagation private true 2>/dev/null || skip "cannot create a mount namespace here"

exec python3 "$(dirname "$0")/console_e2e.py" "$@"
