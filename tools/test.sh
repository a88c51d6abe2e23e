#!/usr/bin/env bash
# Installs what is missing, builds netquiz with its tests and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake --preset release
cmake --build --preset release
ctest --preset release
