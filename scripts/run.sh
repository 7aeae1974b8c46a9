#!/bin/sh
# Builds the console and starts it.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh run
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANEL_BUILD_TESTS=OFF
cmake --build build/release
exec build/release/app/orvanel "$@"
