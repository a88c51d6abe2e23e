#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# netquiz for Windows (32-bit: it runs on 32- and 64-bit Windows 7 SP1 to 11), built here: the
# static Qt 5.15 for Windows (tools/windows-qt.sh, once, cached),
# then netquiz.exe, the installer netquiz-VERSION-setup.exe and netquiz-VERSION-windows.zip in
# build-windows/ (CMake preset `windows`).
#   bash tools/windows.sh          build
#   bash tools/windows.sh test     build, then the tests under Wine (CTest label `windows`)
#   bash tools/windows.sh shots    build, then the screenshots under Wine in docs/ (100 % and 150 %)
set -euo pipefail
cd "$(dirname "$0")/.."
what=${1:-build}
bash tools/deps.sh

start=$SECONDS
qt=$(bash tools/windows-qt.sh | tail -n1)
qt_time=$((SECONDS - start))
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
start=$SECONDS
cmake --preset windows -DCMAKE_PREFIX_PATH="$qt" "${launcher[@]}" >/dev/null
cmake --build --preset windows
echo "Qt for Windows: $((qt_time / 60)) min $((qt_time % 60)) s; netquiz for Windows: $(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s" >&2
ls -l build-windows/netquiz.exe build-windows/netquiz-*-setup.exe build-windows/netquiz-*-windows.zip >&2

case $what in
build) ;;
test)
  # The Linux program is the reference the Windows one's bytes are compared with.
  cmake --preset release >/dev/null
  cmake --build build --target netquiz print_date
  start=$SECONDS
  ctest --preset windows
  echo "Windows tests under Wine: $(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s" >&2
  ;;
shots)
  bash tests/windows/wine_shots.sh
  # The installer's pages, to look at (not kept in docs/ but the class-folder page, for the guide).
  bash tests/windows/wine_setup_shots.sh build-windows/netquiz-*-setup.exe build-windows/setup-shots \
    "$PWD/build-windows/tests/windows/wineprefix" "$PWD/build-windows/tests/windows/locales"
  cp build-windows/setup-shots/setup-2-classfolder-100.png docs/guide-setup-class-folder.png
  ;;
*) echo "usage: tools/windows.sh [build|test|shots]" >&2; exit 2 ;;
esac
