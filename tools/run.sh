#!/usr/bin/env bash
# Installs what is missing, builds netquiz and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build --target netquiz
exec ./build/netquiz
