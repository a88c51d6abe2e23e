# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the Windows tests under Wine (sourced): an X server of the test's own, the Wine
# prefix in a Ukrainian locale (ANSI code page 1251), and the pupil's road driven with xdotool.
# Needs: WINE64 WINESERVER WINEPREFIX LOCPATH (a folder holding uk_UA.UTF-8) set by the caller;
# WINEARCH=win32 (and WINE32, the 32-bit loader) for a 32-bit Windows, WINDOWS_VERSION (win10,
# win7, ...) for the Windows the prefix reports.
# shellcheck shell=bash

# The X harness the Linux end-to-end tests share (its start_wm: openbox); this file's own start_x,
# bound to a wineserver, and ended, which waits longer, take the place of its.
# shellcheck source=../xlib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../xlib.sh"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

export WINEARCH=${WINEARCH:-win64} WINE32=${WINE32:-$(dirname "$WINE64")/wine}
export LANG=uk_UA.UTF-8 LC_ALL= WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" # no Mono or Gecko installer on the prefix's first start
# A 64-bit Windows (the 64-bit loader, which hands a 32-bit program to the 32-bit one, as WoW64
# does), or a 32-bit one (only the 32-bit loader).
wine() { if [ "$WINEARCH" = win32 ]; then "$WINE32" "$@"; else "$WINE64" "$@"; fi; }

# An X server of its own on a free display (its pid in $xvfb, DISPLAY set), taking input.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb=$!
  for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
  export DISPLAY=:$(cat "$work/display")
  for _ in $(seq 100); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.05; done
}
# That X server, and a persistent wineserver bound to it.
start_x() {
  start_xvfb
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w
  "$WINESERVER" -p60
}
stop_x() {
  "$WINESERVER" -k 2>/dev/null || true
  [ -z "${xvfb:-}" ] || kill "$xvfb" 2>/dev/null || true
}

# The prefix, made on first use (tens of seconds), with the screen at DPI $1 (96: 100 %), reporting
# the Windows WINDOWS_VERSION (Wine's default, Windows 10, unless set).
prepare_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wine wineboot -i >/dev/null 2>&1
    "$WINESERVER" -w
  fi
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${1:-96}" /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine' /v Version /d "${WINDOWS_VERSION:-win10}" /f >/dev/null 2>&1
}

# The visible windows with this title, one id a line.
windows_titled() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true; }

# Waits (up to 60 s) for a window titled $1 that is not among the ids in $2; prints its id.
wait_new_window() {
  local id
  for _ in $(seq 600); do
    for id in $(windows_titled "$1"); do
      grep -qx "$id" <<<"${2:-}" || { echo "$id"; return 0; }
    done
    [ -z "${pid:-}" ] || kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

ended() { for _ in $(seq 600); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done; return 1; }

# Puts text on the clipboard and pastes it (xdotool cannot type Cyrillic into a Wine window).
paste() {
  local clip
  printf '%s' "$1" | xclip -selection clipboard -loops 1 &
  clip=$!
  sleep 0.3
  xdotool key ctrl+v
  for _ in $(seq 30); do kill -0 $clip 2>/dev/null || break; sleep 0.1; done
  kill $clip 2>/dev/null || true
}

# Clicks at x y (pixels at 100 %, scaled to the screen's SCALE_PCT) inside window $1.
click_in() {
  xdotool mousemove --window "$1" $(($2 * ${SCALE_PCT:-100} / 100)) $(($3 * ${SCALE_PCT:-100} / 100)) click 1
  sleep 0.15
}

# Answers a prompt window $1 with text $2: a click to give the window the keyboard (no window
# manager here), the text typed (Latin) or pasted (Cyrillic), Enter. (A 32-bit Wine prefix drops
# the first paste of its session: Latin text is typed as a pupil types it.)
answer_prompt() {
  local id=$1
  sleep 0.6 # the pupil reads the prompt first: OK does nothing sooner
  xdotool windowfocus "$id" 2>/dev/null || true
  click_in "$id" 8 8
  if LC_ALL=C grep -q '^[ -~]*$' <<<"$2"; then xdotool type --delay 30 "$2"; else paste "$2"; fi
  sleep 0.2
  xdotool key Return
}

# The pupil's road for the program started as pid with `$@`, every answer right: the prompts
# (name $name, class $group), the five pages answered with the mouse and digits, "Далі" on each;
# stops on the result page, whose window id is left in $result_window.
# Where the pupil clicks, in pixels inside each page: "Далі" and the right marks.
declare -A next=([F02]="488 384" [F03]="520 384" [F04]="488 384" [F05]="488 384" [F09]="488 384")
declare -A right=([F03]="38 166" [F04]="54 318" [F05]="30 230")
boxes=("184 64 5" "184 128 2" "184 256 1" "184 328 4" "184 192 3") # F02: x y answer
ticks=("262 86" "262 150" "62 86")                                     # F09: C4, C6, C1
to_result_page() {
  local seen="" id page b
  id=$(wait_new_window "$prompt") || { fail "no name prompt"; return 1; }
  answer_prompt "$id" "$name"
  id=$(wait_new_window "$prompt" "$id") || { fail "no class prompt"; return 1; }
  answer_prompt "$id" "$group"
  for page in F02 F03 F04 F05 F09; do
    id=$(wait_new_window "$title" "$seen") || { fail "page $page did not come"; return 1; }
    seen+="$id"$'\n'
    [ -z "${on_page:-}" ] || "$on_page" "$page" "$id"
    sleep 0.6 # the pupil reads the page first
    case $page in
      F02) for b in "${boxes[@]}"; do
          set -- $b
          click_in "$id" "$1" "$2"
          xdotool type "$3"
        done ;;
      F09) for b in "${ticks[@]}"; do click_in "$id" $b; done ;;
      *) click_in "$id" ${right[$page]} ;;
    esac
    sleep 0.2
    click_in "$id" ${next[$page]}
  done
  result_window=$(wait_new_window "$title" "$seen") || { fail "no result page"; return 1; }
  sleep 0.6
}
exit_button() { click_in "$1" 64 480; } # "Вихід"

# The text of message box $1, copied as a user would (Ctrl+C on a message box) and read from the
# clipboard.
box_text() {
  click_in "$1" 4 4
  xdotool key ctrl+c
  sleep 0.5
  xclip -o -selection clipboard 2>/dev/null | tr -d '\r'
}

# The silent uninstall of the program installed in folder $1; waits (up to 60 s) until it is gone.
uninstall() {
  wine "$1/uninstall.exe" /S >>"$work/wine.log" 2>&1 || fail "the silent uninstall failed"
  for _ in $(seq 600); do [ ! -e "$1" ] && break; sleep 0.1; done
}
