#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the optimised build, the same tests
# under AddressSanitizer and UndefinedBehaviorSanitizer, and a bounded run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

scripts/install-deps.sh
scripts/build.sh
(cd build && ctest --output-on-failure -j"$jobs")

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTRAZO_SANITIZE=ON -DTRAZO_WERROR=ON \
    -DTRAZO_BENCHMARKS=OFF > /dev/null
cmake --build build-asan -j"$jobs"
# The smoke test runs the optimised program; under the sanitizers X11's own leaks would drown it.
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j"$jobs" -LE smoke)

echo "== Fuzzing"
scripts/fuzz.sh "${FUZZ_SECONDS:-20}"
echo "All tests passed."
