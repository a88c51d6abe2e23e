#!/usr/bin/env bash
# Installs what is missing, builds netquiz and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake --preset release
cmake --build --preset program
exec ./build/netquiz
