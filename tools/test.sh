#!/usr/bin/env bash
# Installs what is missing, builds netquiz with its tests and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build
cd build
ctest --output-on-failure -j2
