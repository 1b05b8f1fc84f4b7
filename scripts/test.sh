#!/usr/bin/env bash
# Installs what is missing, builds gesamt with its tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGESAMT_BUILD_TESTS=ON -DGESAMT_BUILD_BENCH=ON
cmake --build build
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2
