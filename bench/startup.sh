#!/bin/sh
# Start-up benchmark of the console: the time from process start to the first complete DMX frame
# on COM1 (a pseudo-terminal), and the resident memory once the start-up frames have gone out.
# Needs what the end-to-end test needs: root, unshare, Xvfb, xdotool, python3.
# Usage: bench/startup.sh [PROGRAM] [RUNS]   (default: build/app/orvanel, 1 run)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
program=${1:-$here/../build/app/orvanel}
runs=${2:-1}
i=0
while [ "$i" -lt "$runs" ]; do
    "$here/../tests/e2e/console_e2e.sh" "$program" --bench | grep '^BENCH\|^SKIP\|^FAIL'
    i=$((i + 1))
done
