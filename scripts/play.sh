#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game in its data directory.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
mkdir -p build/data
cd build/data
exec ../trazo
