#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A pupil's slips under a real X server, with and without a window manager: each row is one whole
# run of the built program driven with xdotool (clicks and keys in one chained command, at screen
# points), and what the pupil meant is what the journal must hold byte for byte. The platform's
# double-click interval is X's 400 ms; the gaps span it.
# usage: e2e_slips.sh path/to/netquiz [ROW-PATTERN]
set -uo pipefail
app=$1
only=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
top=$(mktemp -d)
trap 'for p in $(jobs -p); do kill "$p" 2>/dev/null; done; wait; [ -n "${E2E_KEEP:-}" ] || rm -rf "$top"' EXIT
print_date=$(dirname "$app")/tests/print_date
date=$(QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 "$print_date")

# Where the pupil clicks inside each page (1 px = 15 twips): "Далі", the right marks, F02's boxes.
declare -A next=([F02]="488 384" [F03]="520 384" [F04]="488 384" [F05]="488 384" [F09]="488 384")
declare -A right=([F03]="38 166" [F04]="54 318" [F05]="30 230")
boxes=("184 64 5" "184 128 2" "184 256 1" "184 328 4" "184 192 3")
ticks=("262 86" "262 150" "62 86")

# Without a window manager nobody gives a prompt the keyboard: the test does, as one would.
focus() { [ "$wm" = wm ] || xdotool windowfocus --sync "$1"; }

# Two presses of the left button at a screen point, GAP seconds apart, in one command (`type`
# takes every word after it as text: it is never chained).
double_click() { xdotool mousemove $1 $2 mousedown 1 mouseup 1 sleep "$3" mousedown 1 mouseup 1; }

# The name prompt, as the row's pupil answers it: SLIP [GAP].
name_prompt() {
  local id X Y W H WIDTH HEIGHT
  echo "name prompt" >"$work/stage"
  id=$(wait_window "$prompt") || return 1
  focus "$id"
  case $1 in
    at-once) xdotool type --delay 20 "$name" && sleep 0.6 && xdotool key Return ;;
    escape-twice) sleep 0.6 && xdotool key Escape sleep "$2" key Escape ;;
    return-escape) sleep 0.6 && xdotool type --delay 20 "$name" && sleep 0.6 && xdotool key Return sleep "$2" key Escape ;;
    double-click-ok)
      # OK's middle, 151 px from the prompt's right edge and 23 px from its bottom at this font.
      eval "$(xdotool getwindowgeometry --shell "$id")"
      sleep 0.6 && xdotool type --delay 20 "$name" && sleep 0.6
      double_click $(screen_point "$id" $((WIDTH - 151)) $((HEIGHT - 23))) "$2"
      ;;
    *) sleep 0.6 && xdotool type --delay 20 "$name" && sleep 0.6 && xdotool key Return ;;
  esac
  prompt_id=$id
}

# The class prompt: typed at once it appears, or after reading it; Return 0.6 s later.
class_prompt() {
  local id
  echo "class prompt" >"$work/stage"
  id=$(wait_window "$prompt" "$prompt_id") || return 1
  focus "$id"
  [ "$1" = at-once ] || sleep 0.6
  xdotool type --delay 20 "$group" && sleep 0.6 && xdotool key Return
}

# Every question page answered right, each "Далі" pressed as PRESS [GAP] says.
pages() {
  local id= page X Y
  for page in F02 F03 F04 F05 F09; do
    echo "$page" >"$work/stage"
    id=$(wait_window "$title" "$id") || return 1
    sleep 0.6 # the pupil reads the page
    case $page in
      F02) for b in "${boxes[@]}"; do set -- $b; xdotool mousemove --window "$id" $1 $2 click 1 type "$3"; done ;;
      F09) for t in "${ticks[@]}"; do xdotool mousemove --window "$id" $t click 1; done ;;
      *) xdotool mousemove --window "$id" ${right[$page]} click 1 ;;
    esac
    sleep 0.3
    if [ "$press" = double-click ]; then
      double_click $(screen_point "$id" ${next[$page]}) "$gap"
    else
      xdotool mousemove --window "$id" ${next[$page]} click 1
    fi
  done
  echo F11 >"$work/stage"
  id=$(wait_window "$title" "$id") || return 1
  sleep 0.6
  xdotool key Return # "Вихід"
}

# One row: WM SLIP GAP WANTED-NAME WANTED-CLASS; its verdict in $work/verdict.
row() {
  local label=$1 slip=$3 wanted_name=$5 wanted_group=$6 pid
  wm=$2 gap=$4 work=$top/$label name="Ли Бо" group="7 А" press=click
  mkdir -p "$work/home" "$work/run"
  chmod 700 "$work/run"
  export HOME=$work/home XDG_RUNTIME_DIR=$work/run LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb
  start_x "$wm"
  "$app" >"$work/netquiz.log" 2>&1 &
  pid=$!
  case $slip in
    double-click-next) press=double-click && name_prompt plain && class_prompt plain ;;
    at-once) name_prompt at-once && class_prompt at-once ;;
    *) name_prompt "$slip" "$gap" && class_prompt plain ;;
  esac && pages
  if ! ended "$pid"; then
    echo "netquiz did not end ($(cat "$work/stage" 2>/dev/null))" >"$work/verdict"
    [ -z "${E2E_KEEP:-}" ] || xwd -root -silent >"$work/screen.xwd"
    kill -KILL "$pid"
  fi
  printf '%s\r\n' "Тема: $title - $wanted_name - $wanted_group - $date - Оцінка - 12" | iconv -f UTF-8 -t CP1251 >"$work/wanted"
  if [ ! -s "$work/verdict" ]; then
    if cmp -s "$work/wanted" "$HOME/test/Internet/1.txt"; then
      echo ok >"$work/verdict"
    else
      echo "journal: $(iconv -f CP1251 -t UTF-8 "$HOME/test/Internet/1.txt" 2>&1 | tr -d '\r')" >"$work/verdict"
    fi
  fi
  stop_x
}

# label | window manager | slip | gap (s) | the name and the class the journal must hold
rows=()
for wm in nowm wm; do
  rows+=("typed at once, spaces kept ($wm)|$wm|at-once|0|Ли Бо|7 А")
  rows+=("Escape twice 0.15 s apart: the class prompt stays ($wm)|$wm|escape-twice|0.15||7 А")
  rows+=("Return, Escape 0.15 s later: the class prompt stays ($wm)|$wm|return-escape|0.15|Ли Бо|7 А")
  for gap in 0.08 0.25 0.37; do
    rows+=("double click on OK, ${gap} s: the class is typed into its field ($wm)|$wm|double-click-ok|$gap|Ли Бо|7 А")
    rows+=("double click on every Далі, ${gap} s: no page skipped ($wm)|$wm|double-click-next|$gap|Ли Бо|7 А")
  done
done

source "$here/xlib.sh"
running=0
for r in "${rows[@]}"; do
  IFS='|' read -r label wm slip gap n g <<<"$r"
  [ -z "$only" ] || [[ $label == *$only* ]] || continue
  (row "$(md5sum <<<"$label" | cut -c1-8)" "$wm" "$slip" "$gap" "$n" "$g") &
  running=$((running + 1))
  if [ "$running" -ge 5 ]; then wait -n; running=$((running - 1)); fi
done
wait
failed=0 passed=0
for r in "${rows[@]}"; do
  IFS='|' read -r label _ <<<"$r"
  [ -z "$only" ] || [[ $label == *$only* ]] || continue
  verdict=$(cat "$top/$(md5sum <<<"$label" | cut -c1-8)/verdict" 2>/dev/null || echo "no verdict")
  if [ "$verdict" = ok ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $label: $verdict" >&2; fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
