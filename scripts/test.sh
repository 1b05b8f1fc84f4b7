#!/usr/bin/env bash
# Installs what is missing, builds gesamt with its tests and runs every test: the normal build
# with GCC (with the Debian package built twice from the committed source as a maintainer builds
# it, checked, installed and started), one build with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer that runs the whole suite again and a short run of each fuzz
# target, and the tests of the threads beside the interface under ThreadSanitizer. Warnings are
# errors in these builds. Steps that do not wait for each other run side by side; each step's
# time is printed at the end.
# Usage: scripts/test.sh [--full]   (--full: the package's second build without the compiler
# cache, too)
set -euo pipefail
cd "$(dirname "$0")/.."
[[ ${1:-} == --full ]] && export GESAMT_PACKAGE_UNCACHED=1
logs=$PWD/build-logs
rm -rf "$logs"
mkdir -p "$logs"
total=$SECONDS
steps=()
declare -A seconds pids

# Steps in the foreground show their output as it comes; steps beside them write to
# build-logs/<step>.log, shown when the script waits for them.
step() {
    local name=$1 start=$SECONDS status
    shift
    steps+=("$name")
    echo "=== $name"
    set +e
    (set -e && "$@") 2>&1 | tee "$logs/$name.log"
    status=${PIPESTATUS[0]}
    set -e
    seconds[$name]=$((SECONDS - start))
    return "$status"
}
beside() {
    local name=$1
    shift
    steps+=("$name")
    echo "=== $name (beside the next steps; build-logs/$name.log)"
    (
        set +e
        start=$SECONDS
        (set -e && "$@") >"$logs/$name.log" 2>&1
        status=$?
        echo "$status $((SECONDS - start))" >"$logs/$name.status"
        exit $status
    ) &
    pids[$name]=$!
}
await() {
    local name=$1 status=0
    wait "${pids[$name]}" || status=$?
    unset "pids[$name]"
    echo "=== $name (ended)"
    cat "$logs/$name.log"
    read -r _ "seconds[$name]" <"$logs/$name.status" || true
    return $status
}
end_tree() {
    local child
    for child in $(pgrep -P "$1"); do end_tree "$child"; done
    kill "$1" 2>/dev/null || true
}
summary() {
    local status=$?
    for pid in "${pids[@]}"; do end_tree "$pid"; done
    echo
    echo "Step times (seconds):"
    for name in "${steps[@]}"; do
        printf '  %-14s %5s\n' "$name" "${seconds[$name]:-unfinished}"
    done
    printf '  %-14s %5s\n' "total" "$((SECONDS - total))"
    [[ $status -eq 0 ]] && echo "All tests passed." || echo "FAILED (exit code $status)"
}
trap summary EXIT

export QT_QPA_PLATFORM=offscreen
# The package's builds bring their own cache (tests/packaging/package_test.sh); these share the
# user's. Builds with precompiled headers are cached only with these sloppinesses. In the
# depend mode a compilation the cache lacks costs no extra run of the preprocessor; these
# builds always meet the cache in the same folder with the same options, where that mode hits.
export CCACHE_BASEDIR=$PWD CCACHE_DEPEND=1
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
# lld links the many test programs in a fraction of the default linker's time; the package
# links with the default one, as a maintainer's build does.
fast=(-G Ninja -DGESAMT_WERROR=ON -DCMAKE_UNITY_BUILD=ON -DGESAMT_PCH=ON
      -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld)

# The program optimised as the package is, so that GCC warns as it does there; the tests' own
# code with -Og, which warns alike and compiles faster. No debugging information: a failing
# test reports its file and line itself, and the sanitizer builds carry line tables, all their
# reports use.
build_gcc() {
    cmake -S . -B build "${fast[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" -DGESAMT_TEST_FLAGS=-Og \
        -DBUILD_TESTING=ON -DGESAMT_BUILD_BENCH=ON
    cmake --build build
    # The screenshot tool is built only on request; compiling it here keeps it from rotting.
    cmake --build build --target screenshots_tool
}
build_clang() {
    # Debug keeps the assertions; -O1, as the sanitizers advise, runs the suite and the fuzz
    # targets several times faster than -O0; their reports need line tables only. The tests'
    # own code, which runs little, compiles faster without optimising.
    CC=clang CXX=clang++ cmake -S . -B build-san "${fast[@]}" -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_CXX_FLAGS_DEBUG="-gline-tables-only -O1" -DGESAMT_TEST_FLAGS=-O0 \
        -DGESAMT_SANITIZE=ON -DGESAMT_FUZZ=ON -DBUILD_TESTING=ON -DGESAMT_BUILD_BENCH=OFF
    cmake --build build-san
}
# ThreadSanitizer at -O1, as it advises, which also compiles faster.
build_tsan() {
    cmake -S . -B build-tsan "${fast[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DGESAMT_TEST_FLAGS=-Og -DGESAMT_TSAN=ON \
        -DBUILD_TESTING=ON -DGESAMT_BUILD_BENCH=OFF
    cmake --build build-tsan --target sitzung_test editor_test namefile_test
}
tests_gcc() {
    ctest --test-dir build --output-on-failure -j2 -LE package
}
package() {
    ctest --test-dir build --output-on-failure -L package
}
tests_sanitizers() {
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
    export LSAN_OPTIONS=suppressions=$PWD/tests/sanitizer.supp
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    ctest --test-dir build-san --output-on-failure -j2 -LE package
}
fuzz() {
    scripts/fuzz.sh 20 build-san
}
# The recovery writer's thread beside the interface thread: the widget-free tests that run both
# (safe writes, the session files, the list's undo and its hand-over to the writer).
tests_tsan() {
    export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
    for t in sitzung/sitzung_test editor/editor_test namefile/namefile_test; do
        LC_ALL=C.UTF-8 build-tsan/tests/$t --gtest_brief=1
    done
}

# What building needs comes first; what only the tests need is installed while GCC compiles.
step packages scripts/install-deps.sh --test-build
beside test-packages scripts/install-deps.sh --test
step build build_gcc
await test-packages
# CTest lists each test program's cases when it first meets the program built anew; done here
# once, so that the two CTest runs below do not both write those lists at the same time.
ctest --test-dir build -N >/dev/null
# The package's two builds are the longest step; the suite, mostly waiting on X servers and
# other programs, runs beside them, and the sanitizer build after it.
beside package package
step tests tests_gcc
step build-san build_clang
step fuzz fuzz
step tests-san tests_sanitizers
step build-tsan build_tsan
step tests-tsan tests_tsan
await package
