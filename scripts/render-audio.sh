#!/usr/bin/env bash
# Renders every sound effect and music module the build makes into WAV files for listening, and
# prints sox's level statistics of each: into BUILD/render-audio/ unless a folder is given.
# BUILD is build/ unless TRAZO_BUILD_DIR names another.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${TRAZO_BUILD_DIR:-build}"
out="${1:-$build/render-audio}"

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTRAZO_WERROR=ON > /dev/null
cmake --build "$build" -j"${JOBS:-$(nproc)}" --target sound_data rendersound
mkdir -p "$out"
"$build"/tools/makesound/rendersound "$out" "$build"/sound/*.WAV "$build"/sound/*.MOD

for file in "$out"/*.wav; do
    echo "== $(basename "$file")"
    sox "$file" -n stats 2>&1 | grep -E "Pk lev dB|RMS lev dB|RMS Pk dB|Length s"
done
echo "Rendered into $out"
