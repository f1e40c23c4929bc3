#!/usr/bin/env bash
# Installs what building, running and testing Trazo needs on Debian 12, if it is missing.
set -euo pipefail

packages=(
    build-essential cmake pkg-config git
    clang-14 libclang-rt-14-dev                       # fuzzing
    libsdl2-dev libxmp-dev libjpeg62-turbo-dev        # the game
    libfreetype-dev fonts-dejavu-core                 # the picture generator
    libgtest-dev libgmock-dev libbenchmark-dev        # tests and benchmarks
    xvfb xauth xdotool x11-utils imagemagick          # the program under a virtual X server
    libjpeg-turbo-progs sox openmpt123                # outside tools that write or read test files
    tecnoballz-data                                   # real ProTracker modules for the tests
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
