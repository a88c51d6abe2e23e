#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs, on Debian 12, the packages netquiz needs to build, run and test; installs nothing
# that is already there. Needs root (or sudo).
set -euo pipefail

packages=(
  g++ cmake ninja-build ccache                # compiler and build (ccache: rebuilds of the same sources)
  qt6-base-dev qt6-svg-dev                    # Qt Widgets, Qt Test, Qt SVG
  qt6-translations-l10n                       # Qt's own Ukrainian texts, built into the program
  qt6-qpa-plugins libqt6svg6                  # platform and SVG icon plugins at run time
  qtbase5-dev libqt5svg5-dev libqt5svg5       # the same with Qt 5.15 (the release-qt5 preset; platform plugins in libqt5gui5)
  qttranslations5-l10n                        # Qt 5's Ukrainian texts
  fonts-sil-andika fonts-dejavu-core fontconfig  # the typeface pages and tests render with
  xvfb xauth xdotool x11-xkb-utils xclip      # the end-to-end test under a real X server (xclip: a message's text)
  openbox                                     # the Windows keyboard test: a window manager hands the windows over
  x11-xserver-utils x11-utils                 # xset: the key repeat the end-to-end test holds keys with; xev: windows shown
  desktop-file-utils dpkg-dev file            # checking the menu entry, making the package
  lintian appstream man-db reuse              # checking the package, its metadata, manual pages, licences
  poppler-utils                               # reading the printed report back (pdftotext, pdffonts, pdfinfo)
  g++-mingw-w64-x86-64-posix wine64           # the journal's bytes layer built for Windows, tested under Wine
  locales libc-l10n                           # a German locale and system texts for the journal's reason test
  tzdata                                      # a time zone east of UTC for the details record's time test
  g++-mingw-w64-i686-posix                    # the 32-bit Windows program (tools/windows.sh)
  wine32:i386                                 # 32-bit Wine beside wine64: runs the 32-bit Windows program
  nsis zip                                    # the Windows installer and zip (tools/windows.sh)
  p7zip-full unzip                            # the Windows tests: the installer and zip unpacked, their import tables read
  xclip xxd                                   # the Windows tests: Cyrillic pasted into Wine, the outbox's hex
  x11-apps netpbm                             # screenshots under Wine (xwd, xwdtopnm, pnmtopng)
)

# wine32:i386 needs the i386 architecture beside the machine's own.
foreign_i386=true
dpkg --print-foreign-architectures | grep -qx i386 || foreign_i386=false

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$foreign_i386 || $sudo dpkg --add-architecture i386
# apt-get update exits 0 even when lists fail to download; --error-on=any makes it say so.
# (Another apt run on the machine is waited for, up to 10 minutes.)
$sudo apt-get -o DPkg::Lock::Timeout=600 update --error-on=any
$sudo apt-get -o DPkg::Lock::Timeout=600 install -y --no-install-recommends "${missing[@]}"
