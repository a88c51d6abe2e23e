#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds netquiz with its tests and runs every test headless, with Qt 6
# and again with Qt 5.15 (the release-qt5 preset, in build-qt5/); then the Windows build and its tests under Wine (tools/windows.sh test), where the Qt for Windows is
# already built, and always under CI (which builds that Qt when it is not cached).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
# A compiler cache, where there is one, makes a second build of the same sources quick.
if command -v ccache >/dev/null && [ -z "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ]; then export CMAKE_CXX_COMPILER_LAUNCHER=ccache; fi
cmake --preset release
cmake --build --preset release
ctest --preset release
cmake --preset release-qt5
cmake --build --preset release-qt5
ctest --preset release-qt5
if [ "${CI:-}" = "true" ] || bash tools/windows-qt.sh --cached >/dev/null; then
  bash tools/windows.sh test
else
  echo
  echo "The Windows build and its tests under Wine were left out: no Qt for Windows is built here."
  echo "bash tools/windows.sh test builds it once (15 to 55 minutes on 2 cores, as busy as they are), then runs them."
fi
