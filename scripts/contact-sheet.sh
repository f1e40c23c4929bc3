#!/usr/bin/env bash
# Writes one PNG of every picture of the game as the game shows it (overlays over a level
# picture, the status line with numbers in the status font, the sprites at their sizes):
#   scripts/contact-sheet.sh [OUTPUT.png]      (default build/contact-sheet.png)
# TRAZO_BUILD_DIR names another build folder than build/.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${TRAZO_BUILD_DIR:-build}"
output="$(realpath -m "${1:-$build/contact-sheet.png}")"
scripts/install-deps.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTRAZO_WERROR=ON > /dev/null
cmake --build "$build" -j"$(nproc)" --target game_pictures contactsheet
panels="$(mktemp -d)"
trap 'rm -rf "$panels"' EXIT
"$build/tools/contactsheet/contactsheet" "$build/data" "$panels"
arguments=()
while IFS=$'\t' read -r file caption; do
    arguments+=(-label "$caption" "$panels/$file")
done < "$panels/panels.txt"
montage "${arguments[@]}" -tile 4x -geometry 320x240+6+6 -background '#1c1c24' -fill '#e8e8f0' \
    -pointsize 13 -depth 8 "$output"
echo "contact sheet: $output"
