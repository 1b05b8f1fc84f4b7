#!/usr/bin/env bash
# Installs what is missing, builds gesamt with its tests and runs every test: the normal build
# (with the Debian package built twice from the committed source as a maintainer builds it,
# checked, installed and started), a short run of each fuzz target, the whole suite again
# under AddressSanitizer and UndefinedBehaviorSanitizer, and the tests of the threads beside
# the interface under ThreadSanitizer. Warnings are errors in these builds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGESAMT_WERROR=ON \
    -DBUILD_TESTING=ON -DGESAMT_BUILD_BENCH=ON
cmake --build build
# The screenshot tool is built only on request; compiling it here keeps it from rotting.
cmake --build build --target screenshots_tool
ctest --test-dir build --output-on-failure -j2

scripts/fuzz.sh 20

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGESAMT_SANITIZE=ON -DGESAMT_WERROR=ON \
    -DGESAMT_BUILD_BENCH=OFF
cmake --build build-asan
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS=suppressions=$PWD/tests/sanitizer.supp
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure -j2 -LE package

# The recovery writer's thread beside the interface thread: the widget-free tests that run both
# (safe writes, the session files, the list's undo and its hand-over to the writer).
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGESAMT_TSAN=ON \
    -DGESAMT_WERROR=ON -DGESAMT_BUILD_BENCH=OFF
cmake --build build-tsan --target sitzung_test editor_test namefile_test
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
for t in sitzung/sitzung_test editor/editor_test namefile/namefile_test; do
    LC_ALL=C.UTF-8 build-tsan/tests/$t --gtest_brief=1
done
