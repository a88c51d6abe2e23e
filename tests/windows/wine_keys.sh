#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# netquiz.exe under Wine with a window manager (openbox: every Windows desktop has one, and the
# hand-over from one window to the next goes through it), driven by keyboard alone. One case per run:
#   road  each prompt and page answered by one Return a second after it appeared (the prompts'
#         text pasted first): each press moves exactly one step, "Вихід" saves the one line of a
#         pupil who answered nothing, and the program ends;
#   held  Return held 2 s on the name prompt leaves the class prompt open; held 3 s on a page
#         moves one page; a Return a second later moves one more;
#   slips a double click on the name prompt's OK, or Escape twice, leaves the class prompt up with
#         its text field the keyboard: the class typed next reaches the journal.
# Steps are counted by the windows the program shows (each prompt and page is a window of its
# own), watched every 50 ms. Prints the presses the road took.
# usage: wine_keys.sh road|held WINE WINESERVER WINEPREFIX LOCPATH NETQUIZ_EXE
set -uo pipefail
case_name=$1
WINE64=$2 WINESERVER=$3 WINEPREFIX=$4 LOCPATH=$5 exe=$6
export WINE64 WINESERVER WINEPREFIX LOCPATH
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine_lib.sh
source "$here/wine_lib.sh"
work=$(mktemp -d)
trap 'stop_x; for p in $(jobs -p); do kill "$p" 2>/dev/null; done; rm -rf "$work"' EXIT
journal=$WINEPREFIX/drive_c/test/Internet/1.txt

prepare_prefix 96
start_x
start_wm || { fail "openbox did not start"; exit 1; }
rm -rf "$WINEPREFIX/drive_c/test" "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/netquiz"

# Every window of the program seen so far, one id a line.
(while :; do
  windows_titled "$prompt"
  windows_titled "$title"
  sleep 0.05
done >>"$work/seen") &
shown() { sort -u "$work/seen" | grep -c .; }

start_exe() {
  wine "$exe" >>"$work/wine.log" 2>&1 &
  pid=$!
  for _ in $(seq 600); do [ "$(shown)" -gt "$windows" ] && break; sleep 0.1; done
  [ "$(shown)" -gt "$windows" ] || { fail "no name prompt"; exit 1; }
  windows=$((windows + 1))
  sleep 0.6 # the pupil reads the prompt
  paste "Учень"
}

# Return a second after the window appeared, again (at most 5 presses) until a new window comes or
# the program ends; fails unless the first press did, or if more than one window came.
presses=0
step() { # what
  local n=0
  while [ $n -lt 5 ]; do
    sleep 1
    xdotool key Return
    n=$((n + 1))
    for _ in $(seq 50); do [ "$(shown)" -gt "$windows" ] && break; kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    [ "$(shown)" -eq "$windows" ] && kill -0 "$pid" 2>/dev/null || break
  done
  presses=$((presses + n))
  [ $n -eq 1 ] || fail "$1: $n presses of Return"
  sleep 1.5
  kill -0 "$pid" 2>/dev/null || return 0
  [ "$(shown)" -eq $((windows + 1)) ] || fail "$1: $(($(shown) - windows)) windows came"
  windows=$(shown)
}

# Return held $1 seconds: exactly one window comes.
hold() { # seconds what
  xdotool keydown Return
  sleep "$1"
  xdotool keyup Return
  sleep 1.5
  [ "$(shown)" -eq $((windows + 1)) ] || fail "Return held $1 s on the $2: $(($(shown) - windows)) windows came"
  windows=$(shown)
}

windows=0
case $case_name in
road)
start_exe
for what in "name prompt" "class prompt" F02 F03 F04 F05 F09; do
  step "$what"
  [ "$what" != "name prompt" ] || { sleep 0.6; paste "9-А"; }
done
# "Вихід": the press that counts saves the line.
n=0
while [ $n -lt 5 ] && [ ! -s "$journal" ]; do
  sleep 1
  xdotool key Return
  n=$((n + 1))
  for _ in $(seq 50); do [ -s "$journal" ] && break; sleep 0.1; done
done
presses=$((presses + n))
[ $n -eq 1 ] || fail "result page: $n presses of Return"
echo "the road by keyboard: $presses presses of Return for 8 steps"
ended "$pid" || fail "the program did not end after Вихід"
if [ -f "$journal" ]; then
  line=$(iconv -f CP1251 -t UTF-8 "$journal")
  [ "$(wc -l <"$journal")" -eq 1 ] || fail "the journal holds $(wc -l <"$journal") lines"
  grep -q "Учень" <<<"$line" && grep -q "9-А" <<<"$line" && grep -q "Оцінка - 1"$'\r'"\$" <<<"$line" ||
    fail "the journal line: $line"
else
  fail "no journal"
fi
  ;;
held)
start_exe
sleep 1
hold 2 "name prompt"
[ -n "$(windows_titled "$prompt")" ] || fail "Return held 2 s on the name prompt: the class prompt was answered"
sleep 0.6
paste "9-А"
step "class prompt"
sleep 1
hold 3 "first page"
step "second page, a second after the held Return"
kill "$pid" 2>/dev/null
  ;;
slips)
# A pupil's slips on the prompts: a double click on the name prompt's OK (within Windows' 500 ms)
# leaves the class prompt's text field the keyboard, and a second Escape does not close the class
# prompt. Each row a whole run: what the pupil typed next is in the journal.
for row in "double-click 0.08" "double-click 0.25" "double-click 0.45" "escape-twice 0.15"; do
  set -- $row
  # A new program's windows may take the ids of the last one's: counted afresh.
  : >"$work/seen"
  windows=0
  start_exe # "Учень" pasted into the name prompt
  id=$(windows_titled "$prompt" | tail -n1)
  sleep 0.6
  case $1 in
    double-click)
      # OK's middle: 132 px from the prompt's right edge, 23 px from its bottom.
      eval "$(xdotool getwindowgeometry --shell "$id")"
      eval "$(xdotool mousemove --window "$id" $((WIDTH - 132)) $((HEIGHT - 23)) getmouselocation --shell)"
      xdotool mousemove "$X" "$Y" mousedown 1 mouseup 1 sleep "$2" mousedown 1 mouseup 1
      want="Учень" ;;
    escape-twice) xdotool key Escape sleep "$2" key Escape && want="" ;;
  esac
  sleep 1.5
  if [ "$(shown)" -ne $((windows + 1)) ] || [ -z "$(windows_titled "$prompt")" ]; then
    fail "$row: the class prompt did not stay up ($(($(shown) - windows)) windows came)"
    kill "$pid" 2>/dev/null
    windows=$(shown)
    continue
  fi
  windows=$(shown)
  xdotool type --delay 40 "7-A"
  for what in "class prompt" F02 F03 F04 F05 F09; do step "$what ($row)"; done
  sleep 1
  xdotool key Return # "Вихід"
  ended "$pid" || { fail "$row: the program did not end after Вихід"; kill "$pid" 2>/dev/null; }
  last=$(tail -n1 "$journal" 2>/dev/null | iconv -f CP1251 -t UTF-8)
  grep -qF "комп'ютери - $want - 7-A - " <<<"$last" || fail "$row: the journal's line: $last"
done
  ;;
esac
exit "$failures"
