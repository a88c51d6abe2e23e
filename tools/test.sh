#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds netquiz with its tests and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake --preset release
cmake --build --preset release
ctest --preset release
