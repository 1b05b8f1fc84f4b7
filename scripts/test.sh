#!/usr/bin/env bash
# Installs what is missing, builds gesamt with its tests and runs every test: the normal build,
# a short run of each fuzz target, the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer, the tests of the threads beside the interface under
# ThreadSanitizer, and the Debian package built from a Release build with the
# distribution's hardening flags. Warnings are errors in all of these builds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGESAMT_WERROR=ON \
    -DGESAMT_BUILD_TESTS=ON -DGESAMT_BUILD_BENCH=ON
cmake --build build
ctest --test-dir build --output-on-failure -j2

# As a distribution builds it; the package comes from this build.
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DGESAMT_WERROR=ON \
    -DGESAMT_BUILD_TESTS=OFF -DGESAMT_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$(flags CXXFLAGS) $(flags CPPFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)"
cmake --build build-release
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" tests/packaging/package_test.sh build-release

scripts/fuzz.sh 20

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGESAMT_SANITIZE=ON -DGESAMT_WERROR=ON \
    -DGESAMT_BUILD_BENCH=OFF
cmake --build build-asan
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS=suppressions=$PWD/tests/sanitizer.supp
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure -j2

# The recovery writer's thread beside the interface thread: the widget-free tests that run both
# (safe writes, the session files, the list's undo and its hand-over to the writer).
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGESAMT_TSAN=ON \
    -DGESAMT_WERROR=ON -DGESAMT_BUILD_BENCH=OFF
cmake --build build-tsan --target sitzung_test editor_test namefile_test
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
for t in sitzung/sitzung_test editor/editor_test namefile/namefile_test; do
    LC_ALL=C.UTF-8 build-tsan/tests/$t --gtest_brief=1
done
