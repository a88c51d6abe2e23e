# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The end-to-end tests' X harness, sourced: an Xvfb of the test's own, windows found by title,
# points on the screen. Needs $work (the test's folder).

title="Чи контактують між собою комп'ютери"
prompt="Введення даних про учня"

# An X server on a display the server itself finds free (another test's may start meanwhile);
# with `wm`, openbox hands the windows over as a desktop's window manager does.
start_x() {
  rm -f "$work/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$work/display" 2>>"$work/xvfb.log" &
  xvfb=$!
  for _ in $(seq 300); do [ -s "$work/display" ] && break; sleep 0.05; done
  export DISPLAY=:$(cat "$work/display")
  for _ in $(seq 150); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
  setxkbmap -layout us,ua
  [ "${1:-}" != wm ] || start_wm
}

# openbox, up once it has held for half a second; one that ended early is started again.
start_wm() {
  local held
  for _ in 1 2 3; do
    openbox --sm-disable >>"$work/openbox.log" 2>&1 &
    wm=$!
    held=0
    for _ in $(seq 600); do
      if wm_up; then held=$((held + 1)); else held=0; fi
      [ "$held" -ge 5 ] && return 0
      kill -0 "$wm" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "FAIL: openbox did not start: $(cat "$work/openbox.log")" >&2
  return 1
}
# grep reads xprop's whole answer: with pipefail, grep -q ending early can fail the pipe by SIGPIPE.
wm_up() { kill -0 "$wm" 2>/dev/null && xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep window >/dev/null; }
stop_x() { kill ${wm:-} ${xvfb:-} 2>/dev/null || true; wm= xvfb=; }

# The visible window with this title (the newest), or nothing.
window_up() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n1 || true; }

# Waits (up to 30 s) until a window with this title other than $2 is up; prints its id.
wait_window() {
  local id
  for _ in $(seq 600); do
    id=$(window_up "$1")
    [ -n "$id" ] && [ "$id" != "${2:-}" ] && { echo "$id"; return 0; }
    sleep 0.05
  done
  return 1
}

# The screen point of X Y inside window $1, as "X Y": input in one chained xdotool command goes to
# the screen, not to a window that may have gone by the time it arrives.
screen_point() {
  local X Y WINDOW SCREEN
  eval "$(xdotool mousemove --window "$1" "$2" "$3" getmouselocation --shell)"
  echo "$X $Y"
}

ended() { for _ in $(seq 300); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done; return 1; }
