#!/bin/sh
# Benchmark of auto send and ramp send: CPU share of one core and the frame period over 10 s of
# each, with COM1 on a pseudo-terminal; ends by closing the console while a loop runs.
# Needs what the end-to-end test needs: root, unshare, Xvfb, xdotool, python3.
# Usage: bench/continuous.sh [BUILD_DIR]   (default: build)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
program=${1:-$here/../build}/app/orvanel
[ -x "$program" ] || { echo "no program at $program" >&2; exit 2; }
[ "$(id -u)" = 0 ] || { echo "SKIP: needs root to bind a pseudo-terminal into a private /dev"; exit 77; }
for tool in unshare mount Xvfb xdotool python3; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done
exec python3 "$here/continuous.py" "$program"
