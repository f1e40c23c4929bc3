#!/usr/bin/env bash
# Builds every fuzz target with clang's libFuzzer and runs each for a bounded time (seconds,
# default 20), starting from its seed corpus in fuzz/corpus/<target>.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTRAZO_FUZZ=ON -DTRAZO_BENCHMARKS=OFF > /dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_targets
shopt -s nullglob
for target in build-fuzz/fuzz/*_fuzz; do
    name=$(basename "$target")
    corpus=build-fuzz/corpus/$name
    mkdir -p "$corpus"
    seeds=()
    [ -d "fuzz/corpus/$name" ] && seeds=("fuzz/corpus/$name")
    echo "-- $name for ${seconds}s"
    if ! "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
        "$corpus" "${seeds[@]}" > "build-fuzz/$name.log" 2>&1; then
        tail -n 60 "build-fuzz/$name.log"
        echo "FAIL: $name (log in build-fuzz/$name.log)"
        exit 1
    fi
    grep -E "^stat::number_of_executed_units" "build-fuzz/$name.log" || true
done
