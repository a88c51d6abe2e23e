#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs into a temporary prefix and makes the Debian package, then checks what lands where.
# usage: install_check.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/netquiz share/applications/netquiz.desktop share/applications/netquiz-results.desktop share/icons/hicolor/scalable/apps/netquiz.svg; do
  [ -s "$prefix/$f" ] || fail "missing $f"
done
[ -x "$prefix/bin/netquiz" ] || fail "netquiz is not executable"
desktop-file-validate "$prefix/share/applications/netquiz.desktop" || fail "desktop entry"
grep -qx 'Name\[uk\]=Чи контактують між собою комп'"'"'ютери' "$prefix/share/applications/netquiz.desktop" || fail "Ukrainian name"
grep -qx 'Categories=Education;ComputerScience;Qt;' "$prefix/share/applications/netquiz.desktop" || fail "category"
# The teacher's entry opens the results view.
results="$prefix/share/applications/netquiz-results.desktop"
desktop-file-validate "$results" || fail "results desktop entry"
grep -qx 'Name\[uk\]=Результати тесту' "$results" || fail "results entry's Ukrainian name"
grep -qx 'Exec=netquiz --results' "$results" || fail "results entry's command"

(cd "$build" && cpack -G DEB >/dev/null) || fail "cpack"
deb=$(ls "$build"/netquiz_*.deb | head -n1)
listing=$(dpkg-deb -c "$deb")
for f in ./usr/bin/netquiz ./usr/share/applications/netquiz.desktop ./usr/share/applications/netquiz-results.desktop ./usr/share/icons/hicolor/scalable/apps/netquiz.svg; do
  grep -q " $f\$" <<<"$listing" || fail "package lacks $f"
done
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || fail "computed dependencies lack Qt Widgets: $depends"
grep -q 'libqt6svg6' <<<"$depends" || fail "computed dependencies lack Qt SVG: $depends"
echo "package $(basename "$deb"): Depends: $depends"
echo "1 passed, 0 failed"
