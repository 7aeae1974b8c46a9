#!/bin/sh
# Cross-builds the serial and DMX core for Windows with mingw-w64, runs their tests under wine,
# and checks frames sent through the Win32 serial backend on a pseudo-terminal behind COM1.
# Needs: mingw-w64, wine64, googletest (sources), cmake, ninja-build, python3.
set -eu
cd "$(dirname "$0")/.."
build=${ORVANEL_MINGW_BUILD:-build-mingw}
wineserver=/usr/lib/wine/wineserver
started=$(date +%s)

generator=
if command -v ninja >/dev/null 2>&1; then
    generator="-G Ninja"
fi
# shellcheck disable=SC2086
cmake -S . -B "$build" $generator -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DORVANEL_BUILD_GUI=OFF -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" --parallel
built=$(date +%s)

WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/orvanel-wine.XXXXXX")
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
    "$wineserver" -k >/dev/null 2>&1 || true
    "$wineserver" -w >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT INT TERM

# A server of our own that outlives each program, kept quiet (it lists leftover objects on exit).
"$wineserver" -p >/dev/null 2>&1
/usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
booted=$(date +%s)

ctest --test-dir "$build" --output-on-failure
python3 tests/win32/pty_harness.py --com 1 --com 12 -- \
    cmake/wine-run.sh "$build/tests/win32/orvanel_win32_tests.exe"

finished=$(date +%s)
echo "test-windows: build $((built - started)) s, wine prefix $((booted - built)) s," \
    "tests $((finished - booted)) s"
