#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The built program under real X servers, driven with xdotool as pupils would, several pupils at
# once, each on an Xvfb of its own with the server's own key repeat (after 250 ms, 30 a second,
# or X's default 660 ms, 25 a second):
# - keys held down (Return and Space, 1, 3 and 6 s) on the first page and on the last question
#   page, and Return held 2 s at the name prompt, each move one step;
# - a triple click on "Далі" (100, 200, 300 ms apart) moves one page; so does a double click
#   whose second click comes 0.1 s after the program, stopped for 0.5 s at the first, goes on;
# - every page is answered by a mark clicked 0.5 s after the page appears and "Далі" 100 ms
#   later: both count;
# - a double click on the first "Далі", then Enter on every other page, and "Вихід".
# Each step is judged by the number of page windows the program has shown (each page is a window
# of its own), and each pupil's journal ($HOME/test/Internet/1.txt) byte for byte: grade 12 when
# every page was answered, 1 for the pupil who answered nothing.
# usage: e2e_xvfb.sh path/to/netquiz [rounds]   (rounds > 1: a table of how often each case failed)
# E2E_PUPILS="a c" runs only those pupils; E2E_KEEP=1 keeps the logs; E2E_NO_F02_HOLD=1 leaves
# the first page with a click.
set -uo pipefail
app=$1
rounds=${2:-1}
here=$(cd "$(dirname "$0")" && pwd)


work=$(mktemp -d)
[ -z "${E2E_KEEP:-}" ] || echo "keeping $work" >&2
trap 'for p in $(jobs -p); do kill "$p" 2>/dev/null; done; wait; [ -n "${E2E_KEEP:-}" ] || rm -rf "$work"' EXIT
title="Чи контактують між собою комп'ютери"
prompt="Введення даних про учня"
name="Коваль Мар'яна"
group="6-Б"
print_date=$here/print_date
[ -x "$print_date" ] || print_date=$(dirname "$app")/tests/print_date
date=$(QT_QPA_PLATFORM=offscreen "$print_date")

# Where the pupil clicks, in pixels inside each page (1 px = 15 twips): "Далі" and the right marks.
declare -A next=([F02]="488 384" [F03]="520 384" [F04]="488 384" [F05]="488 384" [F09]="488 384")
declare -A right=([F03]="38 166" [F04]="54 318" [F05]="30 230")
boxes=("184 64 5" "184 128 2" "184 256 1" "184 328 4" "184 192 3") # F02: x y answer; T3, next to "Далі" in tab order, last
ticks=("262 86" "262 150" "62 86")                                     # F09: C4, C6, then C1, next to "Далі"

# Page windows shown so far (each page gets a new window of its own, of a page's size, however
# briefly it is up), and the one up now.
pages() { grep -cE 'width (546|571), height (405|508)' "$dir/xev.log"; }
page_up() { xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | tail -n1; }
prompt_up() { xdotool search --onlyvisible --name "^$prompt\$" 2>/dev/null | tail -n1; }

# Waits (up to 10 s) until more than $1 page windows exist, or the program has ended.
wait_pages() {
  for _ in $(seq 200); do
    [ "$(pages)" -gt "$1" ] && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.05
  done
  return 1
}

# Records the outcome of one case: "ok", or what went wrong.
verdict() { printf '%s\t%s\n' "$1" "$2" >>"$verdicts"; }

# Judges a step by the pages it moved: one wanted. A step begun on another page than its own (an
# earlier one went wrong) is not judged, but counts as failed.
judge() {
  local case=$1 before=$2 from=$3 now
  if [ "$before" -ne "$from" ]; then
    verdict "$case" "not reached"
    return
  fi
  sleep 0.5 # the pupil reads the new page; leftovers of a burst arrive meanwhile
  if ! kill -0 "$pid" 2>/dev/null; then
    verdict "$case" "the program ended (the result page was left)"
    return
  fi
  now=$(pages)
  if [ $((now - before)) -eq 1 ]; then verdict "$case" ok; else verdict "$case" "moved $((now - before)) pages"; fi
}

click_at() { xdotool mousemove --window "$(page_up)" "$1" "$2" click 1; }

# One step begun on page number FROM: the command after it, judged by the pages it moved.
step() {
  local case=$1 from=$2 before
  shift 2
  before=$(pages)
  kill -0 "$pid" 2>/dev/null || before=-1
  "$@"
  wait_pages "$before"
  judge "$case" "$before" "$from"
}

# Answers the prompts; with held=S, Return is held S seconds on the name prompt.
prompts() {
  local held=$1 id
  for _ in $(seq 200); do id=$(prompt_up); [ -n "$id" ] && break; sleep 0.05; done
  [ -n "$id" ] || return 1
  xdotool windowfocus --sync "$id"
  sleep 0.5
  xdotool type --delay 20 "$name"
  if [ "$held" != 0 ]; then
    xdotool keydown Return
    sleep "$held"
    xdotool keyup Return
    sleep 0.5
    # One step: the class prompt is up, no page yet.
    if [ "$(pages)" -eq 0 ] && [ -n "$(prompt_up)" ] && [ "$(prompt_up)" != "$id" ]; then
      verdict "Return held ${held}s at the name prompt" ok
    else
      verdict "Return held ${held}s at the name prompt" "the class prompt was answered"
    fi
  else
    xdotool key Return
  fi
  for _ in $(seq 100); do [ -n "$(prompt_up)" ] && [ "$(prompt_up)" != "$id" ] && break; sleep 0.05; done
  xdotool windowfocus --sync "$(prompt_up)"
  xdotool type --delay 20 "$group"
  sleep 0.5
  xdotool key Return
  wait_pages 0
}

# Holds a key (on the page up, whose "Далі" has the keyboard focus) for the seconds given.
hold() { xdotool keydown "$1" && sleep "$2" && xdotool keyup "$1"; }
# Return, 0.1 s after the page appeared.
read_and_return() { sleep 0.1 && xdotool key Return; }

# Answers a single-choice page: the right mark 0.5 s after the page appeared, then "Далі" 100 ms
# later, pressed as `how` says: once, a triple click (t:MS apart), or a double click with the
# program stopped for 0.5 s at the first click (stall).
answer() {
  local page=$1 how=$2 from=$3
  case $how in
    once) step "mark after 0.5 s, Далі 100 ms later ($page)" "$from" mark_and_next "$page" "$how" ;;
    t:*) step "triple click ${how#t:} ms apart ($page)" "$from" mark_and_next "$page" "$how" ;;
    stall) step "double click across a 0.5 s stall ($page)" "$from" mark_and_next "$page" "$how" ;;
  esac
}
mark_and_next() {
  local page=$1 how=$2
  sleep 0.5
  click_at ${right[$page]}
  sleep 0.1
  case $how in
    once) click_at ${next[$page]} ;;
    t:*) xdotool mousemove --window "$(page_up)" ${next[$page]} click --repeat 3 --delay "${how#t:}" 1 ;;
    stall)
      kill -STOP "$pid"
      click_at ${next[$page]}
      sleep 0.5
      kill -CONT "$pid"
      sleep 0.1
      click_at ${next[$page]}
      ;;
  esac
}

# One pupil on an X server of their own: a run of the whole test, then its journal.
# pupil ID KEY SECONDS NAMEHOLD F03 F04 F05 DELAY RATE   (KEY "-": the pupil who answers nothing)
pupil() {
  local id=$1 key=$2 held=$3 namehold=$4 f03=$5 f04=$6 f05=$7 delay=$8 rate=$9 from grade
  dir="$work/$1"
  verdicts="$dir/verdicts"
  : >"$verdicts"
  pid= xev= xvfb=$(cat "$dir/xvfb.pid")
  trap 'kill $pid $xev $xvfb 2>/dev/null' EXIT
  trap exit TERM
  export DISPLAY=:$(cat "$dir/display") LC_ALL=C.UTF-8 HOME=$dir/home QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$dir/run
  for _ in $(seq 100); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.05; done
  setxkbmap -layout us,ua
  xset r on
  xset r rate "$delay" "$rate"
  if ! xset q | grep -q "auto repeat:  on"; then verdict "X key repeat" off; return; fi
  xev -root -event substructure >"$dir/xev.log" &
  xev=$!
  sleep 0.2 # xev watching: the first page comes after the prompts, long after this
  "$app" >"$dir/netquiz.log" 2>&1 &
  pid=$!
  prompts "$namehold" || { verdict "prompts ($id)" "not answered"; return; }
  xdotool windowfocus --sync "$(page_up)"
  sleep 0.5
  if [ "$key" = - ]; then
    # A double click on the first "Далі", then Enter 0.6 s after each page appears.
    step "double click (F02)" 1 xdotool mousemove --window "$(page_up)" ${next[F02]} click --repeat 2 --delay 100 1
    from=2
    for page in F03 F04 F05 F09; do step "Return after reading ($page)" $((from++)) read_and_return; done
    grade=1
  else
    for b in "${boxes[@]}"; do
      set -- $b
      xdotool mousemove --window "$(page_up)" "$1" "$2" click 1 type "$3"
    done
    xdotool key shift+Tab # from T3 to "Далі"
    if [ -n "${E2E_NO_F02_HOLD:-}" ]; then
      # To see the later cases on their own: the first page left with a click.
      step "click after reading (F02)" 1 click_at ${next[F02]}
    else
      step "$key held ${held}s (F02)" 1 hold "$key" "$held"
    fi
    answer F03 "$f03" 2
    answer F04 "$f04" 3
    answer F05 "$f05" 4
    sleep 0.5
    for t in "${ticks[@]}"; do click_at $t; done
    xdotool key shift+Tab # from C1 to "Далі"
    step "$key held ${held}s (F09)" 5 hold "$key" "$held"
    grade=12
  fi
  kill -0 "$pid" 2>/dev/null || return
  xdotool mousemove --window "$(page_up)" 64 480 click 1 # "Вихід"
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  if kill -0 "$pid" 2>/dev/null; then verdict "Вихід ($id)" "netquiz did not end"; return; fi
  printf '%s\r\n' "Тема: $title - $name - $group - $date - Оцінка - $grade" | iconv -f UTF-8 -t CP1251 >"$dir/expected"
  if cmp -s "$dir/expected" "$HOME/test/Internet/1.txt"; then
    verdict "journal, grade $grade" ok
  else
    verdict "journal, grade $grade" "($id) $(iconv -f CP1251 -t UTF-8 <"$HOME/test/Internet/1.txt" 2>&1 | tr -d '\r')"
  fi
}

# Starts an X server for pupil $1, one at a time: each finds a free display of its own.
start_x() {
  local dir="$work/$1"
  mkdir -p "$dir/home" "$dir/run"
  chmod 700 "$dir/run"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
  echo $! >"$dir/xvfb.pid"
  for _ in $(seq 100); do [ -s "$dir/display" ] && break; sleep 0.05; done
}

# One round: every pupil at once (the cases wait on the X servers' clocks, not on the processors).
round() {
  local r=$1 p
  declare -A plan=(
    [a]="Return 1 2 t:100 stall once 660 25" [b]="space 1 0 t:200 once stall 250 30"
    [c]="Return 3 0 t:300 once once 250 30" [d]="space 3 0 t:100 once once 660 25"
    [e]="Return 6 0 t:200 once once 660 25" [f]="space 6 0 t:300 once once 250 30"
    [g]="- 0 0 - - - 250 30")
  for p in ${E2E_PUPILS:-a b c d e f g}; do start_x "$r-$p"; done
  for p in ${E2E_PUPILS:-a b c d e f g}; do (pupil "$r-$p" ${plan[$p]}) & done
  wait
}

for r in $(seq "$rounds"); do round "$r"; done
cat "$work"/*/verdicts >"$work/all"
if [ "$rounds" -gt 1 ]; then
  echo "case | runs reached | failed"
  awk -F'\t' '$2 != "not reached" { runs[$1]++; if ($2 != "ok") bad[$1]++ } END { for (c in runs) printf "%s | %d | %d\n", c, runs[c], bad[c] }' "$work/all" | sort
fi
awk -F'\t' '$2 != "ok" { print $1 ": " $2 }' "$work/all" >&2
passed=$(awk -F'\t' '$2 == "ok"' "$work/all" | wc -l)
failed=$(awk -F'\t' '$2 != "ok"' "$work/all" | wc -l)
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
