#!/bin/sh
# Builds and runs every test: the Debian package (checked from the plain build), a plain build,
# a build with AddressSanitizer and UndefinedBehaviorSanitizer, and the Windows build under wine.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh test

jobs=$(nproc 2>/dev/null || echo 2)
export QT_QPA_PLATFORM=offscreen

echo "== Debian package =="
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANEL_BUILD_TESTS=OFF
cmake --build build/release --parallel "$jobs" --target package

echo "== plain build =="
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVANEL_TEST_PACKAGE_DIR="$PWD/build/release"
cmake --build build/test --parallel "$jobs"
ctest --test-dir build/test --output-on-failure --parallel "$jobs"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build =="
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVANEL_SANITIZE=ON
cmake --build build/sanitize --parallel "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build/sanitize --output-on-failure --parallel "$jobs"

echo "== Windows build under wine =="
ORVANEL_MINGW_BUILD=build/mingw sh scripts/test-windows.sh
