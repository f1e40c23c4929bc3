#!/usr/bin/env bash
# Builds the game (and its data, once the generator exists) into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTRAZO_WERROR=ON > /dev/null
cmake --build build -j"$(nproc)"
