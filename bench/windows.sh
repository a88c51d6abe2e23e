#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build's budgets, measured under Wine on Xvfb in one run, as rows of the README's
# table: netquiz.exe's first prompt against a bare Qt program built the same way (the same static
# Qt and MinGW, bench/floor_windows.cpp) and run the same way, A B A B after a warm-up pair, each
# timed from the start of the Windows process to its prompt window mapped on the X server; and
# the installer's size. Needs build-windows/ built (bash tools/windows.sh).
# usage: bash bench/windows.sh [pairs]
set -euo pipefail
cd "$(dirname "$0")/.."
pairs=${1:-10}
b=build-windows
version=$(sed -n 's/^project(netquiz VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
for f in $b/netquiz.exe $b/floor_prompt_windows.exe $b/netquiz-$version-setup.exe $b/tests/windows/locales/uk_UA.UTF-8/LC_CTYPE; do
  [ -e "$f" ] || { echo "missing $f: bash tools/windows.sh first" >&2; exit 1; }
done
export WINEPREFIX=$PWD/$b/tests/windows/wineprefix LOCPATH=$PWD/$b/tests/windows/locales
export WINE64=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver
command -v wine64 >/dev/null && WINE64=$(command -v wine64)
work=$(mktemp -d)
# shellcheck source=../tests/windows/wine_lib.sh
source tests/windows/wine_lib.sh
trap 'stop_x; rm -rf "$work"' EXIT
prepare_prefix 96
start_x

# Process start to the prompt window mapped (polled every 10 ms), then the process ended.
first_prompt() {
  python3 - "$WINE64" "$1" "$prompt" <<'PY'
import subprocess, sys, time
wine, exe, title = sys.argv[1:]
start = time.monotonic()
p = subprocess.Popen([wine, exe], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
shown = None
while time.monotonic() - start < 60:
    r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title], capture_output=True)
    if r.stdout.strip():
        shown = time.monotonic()
        break
    time.sleep(0.01)
p.kill()
p.wait()
print("%.1f" % ((shown - start) * 1000) if shown else "nan")
PY
  wine taskkill /f /im "$(basename "$1")" >/dev/null 2>&1 || true
}
a=() f=() ratios=()
for i in $(seq 0 "$pairs"); do
  ta=$(first_prompt "$b/netquiz.exe")
  tb=$(first_prompt "$b/floor_prompt_windows.exe")
  [ "$i" -eq 0 ] && continue
  a+=("$ta"); f+=("$tb"); ratios+=("$(python3 -c "print($ta/$tb)")")
done
median() { python3 -c 'import statistics,sys; print("%.*f" % (int(sys.argv[1]), statistics.median(float(x) for x in sys.argv[2:])))' "$@"; }
printf '| Windows: time to first prompt under Wine, Xvfb (ms, %d pairs) | %s | %s | %s | 1.5 |\n' \
  "$pairs" "$(median 1 "${a[@]}")" "$(median 1 "${f[@]}")" "$(median 2 "${ratios[@]}")"
size=$(stat -c %s "$b/netquiz-$version-setup.exe")
printf '| Windows: installer netquiz-%s-setup.exe (MB) | %s | | | 25 |\n' "$version" "$(python3 -c "print('%.1f' % ($size / 1e6))")"
printf '| Windows: netquiz.exe (MB) | %s | %s | | |\n' "$(python3 -c "import os; print('%.1f' % (os.path.getsize('$b/netquiz.exe') / 1e6))")" \
  "$(python3 -c "import os; print('%.1f' % (os.path.getsize('$b/floor_prompt_windows.exe') / 1e6))")"
