#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The built program under a real X server, driven as a pupil would: the two prompts, a double
# click on the first "Далі", Enter on every other page, "Вихід"; then the journal in $HOME/test/Internet/1.txt, byte for byte.
# usage: e2e_xvfb.sh path/to/netquiz
set -euo pipefail
app=$1
work=$(mktemp -d)
trap 'kill ${xvfb:-} ${pid:-} 2>/dev/null || true; rm -rf "$work"' EXIT
n=$((90 + RANDOM % 100))
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
display=:$n
Xvfb "$display" -screen 0 1280x1024x24 -noreset -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
export DISPLAY=$display LC_ALL=C.UTF-8 HOME=$work/home QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
setxkbmap -layout us,ua

# Waits until a window with this title exists and holds the keyboard focus.
wait_for() {
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)
    if [ -n "$id" ]; then xdotool windowfocus --sync "$id" 2>/dev/null && return 0; fi
    sleep 0.1
  done
  echo "no window '$1'" >&2; return 1
}

"$app" &
pid=$!
wait_for "Введення даних про учня"
xdotool type --delay 20 "Коваль Мар'яна"
xdotool key Return
sleep 0.3
wait_for "Введення даних про учня"
xdotool type --delay 20 "6-Б"
xdotool key Return
# A child's double click on "Далі" of the first page (two clicks 100 ms apart) moves one page: four
# more Returns leave the result page up, the fifth is "Вихід".
wait_for "Чи контактують між собою комп'ютери"
sleep 0.6
xdotool mousemove --window "$id" 488 384 click --repeat 2 --delay 100 1
for page in 1 2 3 4 5; do
  wait_for "Чи контактують між собою комп'ютери"
  sleep 0.6 # the pupil reads the page first
  [ "$page" -lt 5 ] || kill -0 $pid 2>/dev/null || { echo "a page was skipped: the test ended early" >&2; exit 1; }
  xdotool key Return
done
for _ in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then echo "netquiz did not end after Вихід" >&2; exit 1; fi
wait $pid

journal="$HOME/test/Internet/1.txt"
date=$(QT_QPA_PLATFORM=offscreen "$(dirname "$0")/print_date")
expected=$(printf '%s\r\n' "Тема: Чи контактують між собою комп'ютери - Коваль Мар'яна - 6-Б - $date - Оцінка - 1" | iconv -f UTF-8 -t CP1251 | od -An -tx1)
actual=$(od -An -tx1 <"$journal")
if [ "$expected" != "$actual" ]; then
  echo "journal differs:"; iconv -f CP1251 -t UTF-8 <"$journal"; exit 1
fi
echo "1 passed, 0 failed"
