#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Screenshots of netquiz.exe under Wine on Xvfb, at 100 % and 150 % (the prefix's screen at 96 and
# 144 DPI), into docs/: the first page, the result page (every answer right) and the teacher's
# results window on a class folder of two computers. Needs build-windows/ (bash tools/windows.sh).
set -uo pipefail
cd "$(dirname "$0")/../.."
b=$PWD/build-windows
docs=$PWD/docs
export WINEPREFIX=$b/tests/windows/wineprefix LOCPATH=$b/tests/windows/locales
export WINE64=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver
command -v wine64 >/dev/null && WINE64=$(command -v wine64)
exe=$b/netquiz.exe
work=$(mktemp -d)
# shellcheck source=wine_lib.sh
source tests/windows/wine_lib.sh
trap 'stop_x; rm -rf "$work"' EXIT
shot() { xwd -silent -id "$1" | xwdtopnm 2>/dev/null | pnmtopng >"$2" && echo "$2"; }
first_page() { [ "$1" = F02 ] && sleep 1.5 && shot "$2" "$docs/screenshot-windows-f02-$pct.png"; }

for pct in 100 150; do
  prepare_prefix $((96 * pct / 100))
  start_x
  export SCALE_PCT=$pct
  rm -rf "$WINEPREFIX/drive_c/test"
  name="Коваль Мар'яна" group="6-Б"
  "$WINE64" "$exe" >/dev/null 2>&1 &
  pid=$!
  on_page=first_page
  if to_result_page; then
    sleep 1
    shot "$result_window" "$docs/screenshot-windows-f11-$pct.png"
    exit_button "$result_window"
  fi
  ended $pid || kill $pid
  on_page=
  mkdir -p "$WINEPREFIX/drive_c/shots-class/PC-01" "$WINEPREFIX/drive_c/shots-class/PC-02"
  for pc in PC-01 PC-02; do
    {
      printf '%s\r\n' "Тема: $title - Бойко Олег - 9-А - 01.12.2026 - Оцінка - 10"
      printf '%s\r\n' "Тема: $title - Ґонта Ярина - 9-А - 01.12.2026 - Оцінка - 7"
      printf '%s\r\n' "Тема: $title - Лисенко Іван - 9-Б - 02.12.2026 - Оцінка - 4"
    } | sed "s/ - 9-/ ($pc) - 9-/" | iconv -f UTF-8 -t CP1251 >"$WINEPREFIX/drive_c/shots-class/$pc/1.txt"
  done
  "$WINE64" "$exe" --results 'C:\shots-class' >/dev/null 2>&1 &
  pid=$!
  if id=$(wait_new_window "Результати тесту"); then
    sleep 3
    shot "$id" "$docs/screenshot-windows-results-$pct.png"
  else
    fail "no results window at $pct %"
  fi
  kill $pid 2>/dev/null
  stop_x
done
prepare_prefix 96
[ "$failures" -eq 0 ]
