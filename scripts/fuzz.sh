#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given seconds (default 20).
# Usage: scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
command -v clang++ >/dev/null || scripts/install-deps.sh --test
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DGESAMT_FUZZ=ON -DGESAMT_WERROR=ON -DBUILD_TESTING=OFF -DGESAMT_BUILD_BENCH=OFF
cmake --build build-fuzz --target fuzz_namefile fuzz_profile fuzz_text fuzz_commands
mkdir -p build-fuzz/corpus/{namefile,profile,text,commands}
cp tests/namefile/corpus/* build-fuzz/corpus/namefile/
pids=()
for target in namefile profile text commands; do
    build-fuzz/tests/fuzz/fuzz_$target -max_total_time="$seconds" -max_len=65536 \
        -artifact_prefix="build-fuzz/crash-$target-" build-fuzz/corpus/$target \
        > "build-fuzz/fuzz_$target.log" 2>&1 &
    pids+=($!)
done
status=0
for i in "${!pids[@]}"; do
    wait "${pids[$i]}" || status=1
done
for target in namefile profile text commands; do
    echo "fuzz_$target: $(grep -E '^#[0-9]+.*DONE|Done [0-9]+ runs' "build-fuzz/fuzz_$target.log" | tail -n 1)"
    grep -E "ERROR|SUMMARY" "build-fuzz/fuzz_$target.log" || true
done
exit $status
