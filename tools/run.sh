#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds netquiz and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake --preset release
cmake --build --preset program
exec ./build/netquiz
