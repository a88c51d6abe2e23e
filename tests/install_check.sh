#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs into a temporary prefix and makes the Debian package, then checks what lands where and
# what Debian's and AppStream's checkers say: lintian with no error and no warning, the AppStream
# metadata and both desktop entries valid, the manual pages covering every option of --help.
# usage: install_check.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1 source=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
id=io.github.netquiz.Netquiz
files=(bin/netquiz share/applications/$id.desktop share/applications/$id.Results.desktop
  share/icons/hicolor/scalable/apps/$id.svg share/metainfo/$id.metainfo.xml
  share/man/man1/netquiz.1.gz share/man/uk/man1/netquiz.1.gz
  share/doc/netquiz/copyright share/doc/netquiz/changelog.gz share/doc/netquiz/teacher-guide.uk.md)

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in "${files[@]}"; do
  [ -s "$prefix/$f" ] || fail "missing $f"
done
[ -x "$prefix/bin/netquiz" ] || fail "netquiz is not executable"
# The teacher's guide with every picture it names beside it, as it names them.
for picture in $(grep -o '](\([^)]*\.png\))' "$prefix/share/doc/netquiz/teacher-guide.uk.md" | sed 's/^](\(.*\))$/\1/'); do
  [ -s "$prefix/share/doc/netquiz/$picture" ] || fail "the guide's picture $picture is not installed"
done
pupil="$prefix/share/applications/$id.desktop"
results="$prefix/share/applications/$id.Results.desktop"
desktop-file-validate "$pupil" || fail "desktop entry"
grep -qx 'Name\[uk\]=Чи контактують між собою комп'"'"'ютери' "$pupil" || fail "Ukrainian name"
grep -qx 'Categories=Education;ComputerScience;Qt;' "$pupil" || fail "category"
grep -qx "Icon=$id" "$pupil" || fail "icon name"
# The teacher's entry opens the results view.
desktop-file-validate "$results" || fail "results desktop entry"
grep -qx 'Name\[uk\]=Результати тесту' "$results" || fail "results entry's Ukrainian name"
grep -qx 'Exec=netquiz --results' "$results" || fail "results entry's command"
# The metadata names both entries and passes AppStream's validator (no network: URLs unchecked).
metainfo="$prefix/share/metainfo/$id.metainfo.xml"
appstreamcli validate --no-net --explain "$metainfo" || fail "AppStream metadata"
for entry in "$id.desktop" "$id.Results.desktop"; do
  grep -q "<launchable type=\"desktop-id\">$entry</launchable>" "$metainfo" || fail "metadata lacks launchable $entry"
done

# The manual pages: every option that --help lists, the English page in English, and man reads
# both without a complaint.
help=$(HOME=/nonexistent LC_ALL=C.UTF-8 "$prefix/bin/netquiz" --help)
for lang in en uk; do
  page="$prefix/share/man/$([ $lang = en ] || echo uk/)man1/netquiz.1.gz"
  [ "$(gzip -dc "$page" | head -c2)" != "" ] || fail "$lang manual page is empty"
  text=$(LC_ALL=C.UTF-8 MANWIDTH=200 man --warnings -E UTF-8 -l "$page" 2>"$prefix/man.err") || fail "man $page"
  [ ! -s "$prefix/man.err" ] || fail "man on the $lang page: $(cat "$prefix/man.err")"
  for option in $(grep -o -- '--[a-z][a-z-]*' <<<"$help" | sort -u); do
    grep -q -- "$option" <<<"$text" || fail "$lang manual page lacks $option"
  done
done
english=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -E UTF-8 -l "$prefix/share/man/man1/netquiz.1.gz" 2>/dev/null)
untranslated=$(sed -n '/^SYNOPSIS/,/^FILES/p' <<<"$english" | grep -P '[\x{0400}-\x{04FF}]' || true)
[ -z "$untranslated" ] || fail "English manual page has Ukrainian text (add it to man/netquiz.en.tsv): $untranslated"
# gzip -n: no name or time stamp in the header (bytes 4-7 are the time).
for f in share/man/man1/netquiz.1.gz share/man/uk/man1/netquiz.1.gz share/doc/netquiz/changelog.gz; do
  [ "$(od -An -tx1 -j4 -N4 "$prefix/$f" | tr -d ' ')" = 00000000 ] || fail "$f carries a time stamp"
done

# Under a narrow umask, as some builders have: the package's modes must not follow it.
(cd "$build" && umask 077 && cpack -G DEB >/dev/null) || fail "cpack"
deb=$(ls "$build"/netquiz_*.deb | head -n1)
listing=$(dpkg-deb -c "$deb")
modes=$(awk '{ print $1, $2 }' <<<"$listing" | sort -u)
[ "$modes" = "$(printf '%s\n' 'drwxr-xr-x root/root' '-rw-r--r-- root/root' '-rwxr-xr-x root/root' | sort)" ] \
  || fail "modes or owners in the package: $modes"
for f in "${files[@]}"; do
  grep -q " ./usr/$f\$" <<<"$listing" || fail "package lacks /usr/$f"
done
depends=$(dpkg-deb -f "$deb" Depends)
grep -qE 'libqt6widgets6|libqt5widgets5' <<<"$depends" || fail "computed dependencies lack Qt Widgets: $depends"
grep -qE 'libqt6svg6|libqt5svg5' <<<"$depends" || fail "computed dependencies lack Qt SVG: $depends"
# The copyright file carries the typeface's licence whole, from the repository's copy.
dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/doc/netquiz/copyright >"$prefix/copyright"
awk '/^License: OFL-1.1$/ { n = NR } { line[NR] = $0 } END { for (i = n + 1; i <= NR; i++) print line[i] }' "$prefix/copyright" | sed -e 's/^ //' -e 's/^\.$//' \
  | cmp - "$source/LICENSES/OFL-1.1.txt" || fail "copyright's OFL text differs from LICENSES/OFL-1.1.txt"

# Debian's checker: not one error or warning. Run as nobody when root (lintian advises against root).
runas=()
[ "$(id -u)" -ne 0 ] || runas=(setpriv --reuid=65534 --regid=65534 --clear-groups)
cp "$deb" "$prefix/check.deb"
chmod -R a+rX "$prefix"
status=0
report=$(cd "$prefix" && HOME="$prefix" "${runas[@]}" lintian --no-cfg --display-info check.deb 2>&1) || status=$?
echo "$report"
! grep -q '^[EW]: ' <<<"$report" || fail "lintian reports errors or warnings"
[ $status -eq 0 ] || fail "lintian failed ($status)"
echo "package $(basename "$deb"): Depends: $depends"
echo "1 passed, 0 failed"
