#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds the small static Qt 5.15 for 32-bit Windows that netquiz.exe links (qtbase: Core,
# Gui, Widgets, PrintSupport, Test, the windows platform plugin; qtsvg), from Debian 12's own
# source packages (qtbase-opensource-src and qtsvg-opensource-src 5.15.8, with Debian's patches),
# with Debian's MinGW-w64 for i686 (gcc 12, posix threads). Qt 5.15 is the last Qt that runs on
# Windows 7, and a 32-bit program runs on 32- and 64-bit Windows alike. Built once into
# QT_WIN_PREFIX and reused: a run with the same options finds the stamp and does nothing.
#
# Usage: bash tools/windows-qt.sh [--cached]   (env: QT_WIN_PREFIX, QT_WIN_WORK, QT_WIN_JOBS)
# Prints the prefix on its last line. --cached: only says (exit status 0 or 1) whether it is built.
set -euo pipefail

QT_VERSION=5.15.8
PREFIX=${QT_WIN_PREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/netquiz/qt-$QT_VERSION-mingw-w64-i686-static}
WORK=${QT_WIN_WORK:-${TMPDIR:-/tmp}/netquiz-qt5-win-work}
JOBS=${QT_WIN_JOBS:-$(nproc)}
NICE="nice -n 19"

# Only what the program links: no OpenGL, DBus, SQL, network, XML, concurrency, ICU or system
# font libraries (Windows draws with its own font machinery and the program carries Andika).
QTBASE_OPTIONS=(
  -release -static -static-runtime -optimize-size
  -xplatform win32-g++ -device-option CROSS_COMPILE=i686-w64-mingw32-
  -opensource -confirm-license -platform linux-g++
  -nomake tests -nomake examples
  -no-opengl -no-dbus -no-icu -no-freetype -no-fontconfig -no-pkg-config
  -qt-zlib -qt-libpng -qt-pcre -qt-harfbuzz -no-libjpeg
  -no-sql-sqlite -no-sql-odbc -no-sql-psql -no-sql-mysql
  -no-feature-sql -no-feature-network -no-feature-concurrent -no-feature-xml
  # Debian's +dfsg tarball drops src/3rdparty/wintab, which only tablet support includes.
  -no-feature-tabletevent
  # Direct2D would build a second platform plugin (qdirect2d) from the same sources.
  -no-direct2d
)
STAMP_TEXT="qt $QT_VERSION i686 ${QTBASE_OPTIONS[*]} toolchain:v1"
if [[ -f $PREFIX/.netquiz-qt-stamp && "$(cat "$PREFIX/.netquiz-qt-stamp")" == "$STAMP_TEXT" ]]; then
  echo "$PREFIX"
  exit 0
fi
[[ ${1:-} != --cached ]] || exit 1
start=$SECONDS

# 1. Tools and the source packages (a deb-src entry beside the machine's deb entry).
need=(g++-mingw-w64-i686-posix make perl python3 dpkg-dev xz-utils)
missing=()
for p in "${need[@]}"; do dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p"); done
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! apt-get source --print-uris qtbase-opensource-src 2>/dev/null | grep -q "qtbase-opensource-src_"; then
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
# Qt's win32-g++ platform files call $CROSS_COMPILE + g++: the posix-threads compiler, whatever
# the alternatives say, through a folder of our own put first on PATH.
mkdir -p "$WORK/bin"
for t in gcc g++; do ln -sf "/usr/bin/i686-w64-mingw32-$t-posix" "$WORK/bin/i686-w64-mingw32-$t"; done
export PATH="$WORK/bin:$PATH"

# 2. Sources with Debian's patches applied.
mkdir -p "$WORK/src"
cd "$WORK/src"
for pkg in qtbase qtsvg; do
  if [[ ! -f $pkg/configure && ! -f $pkg/$pkg.pro ]]; then
    rm -rf "$pkg"
    apt-get source -q --download-only "$pkg-opensource-src"
    ls "$pkg-opensource-src_$QT_VERSION"*.dsc >/dev/null # the archive serves the version built here
    dpkg-source -x "$pkg"-opensource-src_*.dsc "$pkg"
  fi
done

# 3. qtbase (qmake; it bootstraps its own host qmake, moc, rcc and uic), then qtsvg against it.
rm -rf "$WORK/build-qtbase" && mkdir -p "$WORK/build-qtbase" && cd "$WORK/build-qtbase"
$NICE "$WORK/src/qtbase/configure" -prefix "$PREFIX" "${QTBASE_OPTIONS[@]}"
$NICE make -j"$JOBS"
$NICE make install

rm -rf "$WORK/build-qtsvg" && mkdir -p "$WORK/build-qtsvg" && cd "$WORK/build-qtsvg"
$NICE "$PREFIX/bin/qmake" "$WORK/src/qtsvg/qtsvg.pro"
$NICE make -j"$JOBS"
$NICE make install

echo "$STAMP_TEXT" >"$PREFIX/.netquiz-qt-stamp"
rm -rf "$WORK/build-qtbase" "$WORK/build-qtsvg" # not needed once installed
echo "Qt for Windows built in $(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s ($(du -sh "$PREFIX" | cut -f1))" >&2
echo "$PREFIX"
