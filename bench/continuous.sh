#!/bin/sh
# Benchmark of the idle console (with its idle refresh), auto send and ramp send: CPU share of
# one core and the frame period over 10 s (or SECONDS) of each, with COM1 on a pseudo-terminal;
# ends by closing the console while a loop runs. With OUTPUT (sacn:1, artnet:0, ...), the packets
# per second of auto send and ramp send through that network output instead, from a capture.
# Needs what the end-to-end test needs: root, unshare, ip, tshark, Xvfb, xdotool, python3.
# Usage: bench/continuous.sh [BUILD_DIR [SECONDS [OUTPUT]]]   (default: build, 10)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
program=${1:-$here/../build}/app/orvanel
seconds=${2:-10}
output=${3:-}
[ -x "$program" ] || { echo "no program at $program" >&2; exit 2; }
[ "$(id -u)" = 0 ] || { echo "SKIP: needs root to bind a pseudo-terminal into a private /dev"; exit 77; }
for tool in unshare mount Xvfb xdotool python3; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done
exec python3 "$here/continuous.py" "$program" "$seconds" $output
