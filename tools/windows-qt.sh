#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds the small static Qt 6.4.2 for 64-bit Windows that netquiz.exe links (qtbase: Core,
# Gui, Widgets, PrintSupport, Test, the windows platform plugin; qtsvg), from Debian 12's own
# qtbase source package and the qtsvg source vendored in third_party/, with Debian's MinGW-w64
# (gcc 12, posix threads) and Debian's Qt 6.4.2 host tools (moc, rcc, uic). Built once into
# QT_WIN_PREFIX and reused: a run with the same options finds the stamp and does nothing.
#
# Usage: bash tools/windows-qt.sh [--cached]   (env: QT_WIN_PREFIX, QT_WIN_WORK, QT_WIN_JOBS)
# Prints the prefix on its last line. --cached: only says (exit status 0 or 1) whether it is built.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

QT_VERSION=6.4.2
PREFIX=${QT_WIN_PREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/netquiz/qt-$QT_VERSION-mingw-w64-static}
WORK=${QT_WIN_WORK:-${TMPDIR:-/tmp}/netquiz-qt-win-work}
JOBS=${QT_WIN_JOBS:-$(nproc)}
NICE="nice -n 19"

# Only what the program links: no OpenGL, DBus, SQL, network, XML, concurrency, ICU or system
# font libraries (Windows draws with its own font machinery and the program carries Andika).
QTBASE_OPTIONS=(
  -release -static -static-runtime
  -xplatform win32-g++ -qt-host-path /usr
  -nomake tests -nomake examples
  -no-opengl -no-dbus -no-icu -no-freetype -no-fontconfig -no-pkg-config
  -qt-zlib -qt-libpng -qt-pcre -qt-harfbuzz -qt-doubleconversion -no-libjpeg
  -no-feature-sql -no-feature-network -no-feature-concurrent -no-feature-xml
  -no-feature-vulkan -no-feature-androiddeployqt
  # Debian's +dfsg tarball drops src/3rdparty/wintab, which only tablet support includes.
  -no-feature-tabletevent
  # Direct2D would build a second platform plugin (qdirect2d) from the same sources.
  -no-feature-direct2d
)
# Everything after QtCore at -O1: a third less compile time; the pages draw a handful of widgets.
STAMP_TEXT="qt $QT_VERSION ${QTBASE_OPTIONS[*]} after-core:-O1 toolchain:v1"
if [[ -f $PREFIX/.netquiz-qt-stamp && "$(cat "$PREFIX/.netquiz-qt-stamp")" == "$STAMP_TEXT" ]]; then
  echo "$PREFIX"
  exit 0
fi
[[ ${1:-} != --cached ]] || exit 1
start=$SECONDS

# 1. Tools and the source package (a deb-src entry beside the machine's deb entry).
need=(g++-mingw-w64-x86-64-posix cmake ninja-build perl dpkg-dev xz-utils qt6-base-dev qt6-base-dev-tools)
missing=()
for p in "${need[@]}"; do dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p"); done
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! apt-get source --print-uris qt6-base 2>/dev/null | grep -q "qt6-base_"; then
  $sudo tee /etc/apt/sources.list.d/netquiz-deb-src.sources >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  $sudo apt-get update -q --error-on=any
fi
if ((${#missing[@]})); then
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
host_qt=$(dpkg-query -W -f='${Version}' qt6-base-dev)
[[ $host_qt == $QT_VERSION* ]] || { echo "host Qt is $host_qt, not $QT_VERSION" >&2; exit 1; }

# 2. Sources: qtbase with Debian's patches applied; qtsvg from third_party/.
mkdir -p "$WORK/src"
cd "$WORK/src"
if [[ ! -f qtbase/configure ]]; then
  rm -rf qtbase
  apt-get source -q --download-only qt6-base
  dpkg-source -x qt6-base_*.dsc qtbase
fi
if [[ ! -f qtsvg/CMakeLists.txt ]]; then
  rm -rf qtsvg qtsvg-everywhere-src-$QT_VERSION
  tar xJf "$here/third_party/qtsvg-everywhere-src-$QT_VERSION.tar.xz"
  mv qtsvg-everywhere-src-$QT_VERSION qtsvg
fi

# 2b. With -no-feature-direct2d, Qt 6.4.2 compiles its DirectWrite font engine and database only
# with direct2d, yet the windows platform plugin and PrintSupport call them under directwrite
# alone (undefined references at link time). Guard those calls the same way. Idempotent.
sed -i -E 's/^#if QT_CONFIG\(directwrite3\)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/' \
  qtbase/src/plugins/platforms/windows/qwindowsintegration.cpp
sed -i -E 's/^#if QT_CONFIG\(directwrite\)$/#if QT_CONFIG(directwrite) \&\& QT_CONFIG(direct2d)/' \
  qtbase/src/printsupport/platform/windows/qprintengine_win.cpp
grep -q 'add_compile_options(-O1)' qtbase/src/CMakeLists.txt ||
  sed -i '/^add_subdirectory(corelib)$/a add_compile_options(-O1) # netquiz: after QtCore at -O1' qtbase/src/CMakeLists.txt

# 3. The toolchain file lives in the prefix: Qt's qt.toolchain.cmake chain-loads it by path.
mkdir -p "$PREFIX/lib/cmake"
cp "$here/cmake/mingw-w64-x86_64.cmake" "$PREFIX/lib/cmake/mingw-w64-x86_64.cmake"

# 4. qtbase, then qtsvg against it.
rm -rf "$WORK/build-qtbase" && mkdir -p "$WORK/build-qtbase" && cd "$WORK/build-qtbase"
$NICE "$WORK/src/qtbase/configure" -prefix "$PREFIX" "${QTBASE_OPTIONS[@]}" \
  -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PREFIX/lib/cmake/mingw-w64-x86_64.cmake" \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
$NICE cmake --build . --parallel "$JOBS"
$NICE cmake --install .

rm -rf "$WORK/build-qtsvg" && mkdir -p "$WORK/build-qtsvg" && cd "$WORK/build-qtsvg"
$NICE "$PREFIX/bin/qt-configure-module" "$WORK/src/qtsvg" -- -G Ninja
$NICE cmake --build . --parallel "$JOBS"
$NICE cmake --install .

echo "$STAMP_TEXT" >"$PREFIX/.netquiz-qt-stamp"
rm -rf "$WORK/build-qtbase" "$WORK/build-qtsvg" # about 2.9 GB, not needed once installed
echo "Qt for Windows built in $(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s ($(du -sh "$PREFIX" | cut -f1))" >&2
echo "$PREFIX"
