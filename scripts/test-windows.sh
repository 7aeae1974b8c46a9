#!/bin/sh
# Cross-builds the Windows program, its tests and its installer with mingw-w64 and runs under
# wine, on one private X server: the tests; frames sent through the Win32 serial backend on a
# pseudo-terminal behind COM1; the real program end to end, driven as an operator would, and
# its installer (install, run from the Start menu, uninstall).
# Needs: mingw-w64, wine64, fonts-wine, googletest (sources), cmake, ninja-build, python3,
# librsvg2-bin, nsis, xvfb, xdotool, x11-utils, fonts-wqy-zenhei.
set -eu
cd "$(dirname "$0")/.."
build=${ORVANEL_MINGW_BUILD:-build-mingw}
wineserver=/usr/lib/wine/wineserver
started=$(date +%s)

jobs=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc 2>/dev/null || echo 2)}
generator=
if command -v ninja >/dev/null 2>&1; then
    generator="-G Ninja"
fi
# The options are named: a build directory of the core-only build keeps them in its cache.
# shellcheck disable=SC2086
cmake -S . -B "$build" $generator -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DORVANEL_BUILD_GUI=ON -DORVANEL_BUILD_TESTS=ON
cmake --build "$build" --parallel "$jobs"
cmake --build "$build" --target package
package=$(sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
installer=$build/$package.exe
built=$(date +%s)

WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/orvanel-wine.XXXXXX")
export WINEPREFIX
export WINEDEBUG=-all
# No Mono or Gecko prompts; no menu entries on this machine for the installer's shortcuts.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
display_file=$(mktemp "${TMPDIR:-/tmp}/orvanel-display.XXXXXX")
xvfb=
cleanup() {
    "$wineserver" -k >/dev/null 2>&1 || true
    "$wineserver" -w >/dev/null 2>&1 || true
    if [ -n "$xvfb" ]; then
        kill "$xvfb" 2>/dev/null || true
    fi
    rm -rf "$WINEPREFIX" "$display_file"
}
trap cleanup EXIT INT TERM

# One X server for everything: the session's desktop process keeps the display it started on.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb=$!
while [ ! -s "$display_file" ]; do
    kill -0 "$xvfb" 2>/dev/null || { echo "test-windows: Xvfb did not start" >&2; exit 1; }
    sleep 0.1
done
DISPLAY=:$(cat "$display_file")
export DISPLAY

# A server of our own that outlives each program, kept quiet (it lists leftover objects on exit).
"$wineserver" -p >/dev/null 2>&1
/usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
# Wine draws its own window frames: without a window manager it would otherwise wait about 2 s
# for one each time a window hides.
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
booted=$(date +%s)

# A test that hangs under wine fails after 5 minutes instead of holding the run up.
ctest --test-dir "$build" --output-on-failure --timeout 300
python3 tests/win32/pty_harness.py --com 1 --com 12 -- \
    cmake/wine-run.sh "$build/tests/win32/orvanel_win32_tests.exe"
tested=$(date +%s)

status=0
sh tests/wine/console_wine_e2e.sh "$build/app/orvanel.exe" --installer "$installer" \
    --display "$DISPLAY" || status=$?
[ "$status" -eq 0 ] || [ "$status" -eq 77 ] || exit "$status"

finished=$(date +%s)
echo "test-windows: build $((built - started)) s, wine prefix $((booted - built)) s," \
    "tests $((tested - booted)) s, end to end $((finished - tested)) s"
