#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The built program under a real X server: a result on the screen survives SIGTERM and the X
# server going away (kept on this computer, added to the journal by the next start, once), and
# --class-folder writes nothing into a folder without the class-folder marker (an empty mount
# point), keeps the result and delivers it once the folder is marked, and gives two computers
# (two host names, each a real process in its own UTS namespace: needs root) two journals in one
# folder, which the teacher's CSV reads both.
# usage: e2e_outbox.sh path/to/netquiz
set -euo pipefail
app=$1
# The full and read-only homes are mounts in a namespace of their own, the computers host names
# in one of their own: a container without CAP_SYS_ADMIN can make neither.
if ! unshare -m --uts true 2>/dev/null; then
  why="no mount or host-name namespace can be made here (unshare needs CAP_SYS_ADMIN, which a container may lack)"
  [ "${CI:-}" = "true" ] && { echo "FAIL: $why" >&2; exit 1; }
  echo "SKIP: $why" >&2
  exit 77
fi
work=$(mktemp -d)
trap 'kill ${xvfb:-} ${pid:-} 2>/dev/null || true; rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8 HOME=$work/home QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# shellcheck source=xlib.sh
source "$(dirname "$0")/xlib.sh" # start_x: an X server of this test's own
journal=$HOME/test/Internet/1.txt
outbox=$HOME/.local/share/netquiz/outbox.txt
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# Waits until a window with this title exists and holds the keyboard focus.
wait_for() {
  for _ in $(seq 300); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)
    if [ -n "$id" ]; then xdotool windowfocus --sync "$id" 2>/dev/null && return 0; fi
    sleep 0.1
  done
  echo "no window '$1'" >&2; return 1
}

# Answers the prompts (the name given, class 7-В) and passes the first N question pages (no
# answer is right; 5 by default: the result page is up).
to_result_page() {
  wait_for "Введення даних про учня"
  sleep 0.5 # the pupil reads the prompt first: OK does nothing sooner
  xdotool type --delay 20 "$1"
  xdotool key Return
  sleep 0.3
  wait_for "Введення даних про учня"
  sleep 0.5
  xdotool type --delay 20 "7-В"
  xdotool key Return
  for _ in $(seq "${2:-5}"); do
    wait_for "$title"
    sleep 0.6 # the pupil reads the page first
    xdotool key Return
  done
  wait_for "$title"
  sleep 0.6
}

ended() { for _ in $(seq 300); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done; return 1; }
# A program that should have ended and did not is stopped, so that the test fails, never hangs.
ended_or_kill() { ended "$1" || { fail "$2"; kill -KILL "$1" 2>/dev/null || true; }; }
# SIGTERM to netquiz, which must then end.
stop() { kill -TERM "$1"; ended_or_kill "$1" "$2"; wait "$1" || true; }

# The journal line of a pupil, in the journal's code page, as od shows it.
line_of() {
  printf '%s\r\n' "Тема: Чи контактують між собою комп'ютери - $1 - 7-В - $date - Оцінка - 1" | iconv -f UTF-8 -t CP1251
}
date=$(QT_QPA_PLATFORM=offscreen "$(dirname "$0")/print_date")
# Whether the file holds exactly the lines of these pupils, in this order, byte for byte.
holds() { local f=$1; shift; [ "$(od -An -tx1 <"$f")" = "$(for n; do line_of "$n"; done | od -An -tx1)" ]; }

# A start that delivers what waits (until `delivered`), and ends at SIGTERM on the first prompt;
# the command line after it, where given, starts netquiz in place of the plain one.
delivered() { [ ! -s "$outbox" ]; }
next_start() {
  [ $# -gt 0 ] || set -- "$app"
  "$@" &
  pid=$!
  wait_for "Введення даних про учня"
  for _ in $(seq 300); do delivered && break; sleep 0.1; done
  stop $pid "netquiz did not end at SIGTERM on the prompt"
}

start_x

# SIGTERM while the result page is up: the record is kept, the next start adds it once.
"$app" &
pid=$!
to_result_page "Сигнал Терміновий"
stop $pid "netquiz did not end at SIGTERM on the result page"
[ ! -e "$journal" ] || fail "a line written although the save never ran"
grep -q '^K ' "$outbox" || fail "the result is not in the outbox after SIGTERM"
next_start
holds "$journal" "Сигнал Терміновий" ||
  fail "after SIGTERM and a new start the journal is not the one line: $(iconv -f CP1251 -t UTF-8 <"$journal")"
[ ! -s "$outbox" ] || fail "the outbox is not emptied once its result is delivered"
next_start # a further start adds nothing
holds "$journal" "Сигнал Терміновий" || fail "a further start changed the journal"

# The X server goes away while the result page is up: Qt ends the program; the next start adds the line.
"$app" &
pid=$!
to_result_page "Дисплей Зниклий"
kill $xvfb
wait $xvfb 2>/dev/null || true
ended_or_kill $pid "netquiz did not end when its display went away"
wait $pid || true
start_x
next_start
holds "$journal" "Сигнал Терміновий" "Дисплей Зниклий" || fail "the line of the lost display did not reach the journal once"

# SIGTERM on a question page (F04): no journal line; the details file beside the journal says
# that the pupil left there, after the run's "started", both of one run.
details=$HOME/test/Internet/1.details.jsonl
journal_before=$(od -An -tx1 <"$journal")
"$app" &
pid=$!
to_result_page "Учень Пішов" 2 # F02 and F03 passed: F04 is up
stop $pid "netquiz did not end at SIGTERM on F04"
[ "$(od -An -tx1 <"$journal")" = "$journal_before" ] || fail "SIGTERM on F04 changed the journal"
started=$(grep '"Учень Пішов"' "$details" | grep '"kind":"started"' || true)
left=$(grep '"Учень Пішов"' "$details" | tail -n1)
case $left in *'"kind":"left"'*'"page":"F04"'*) ;; *) fail "no left record for F04 after SIGTERM: $left" ;; esac
run_of() { sed -n 's/.*"run":"\([0-9a-f-]*\)".*/\1/p'; }
[ -n "$started" ] && [ "$(run_of <<<"$started")" = "$(run_of <<<"$left")" ] || fail "left and started are not of one run"
# The records waiting in the outbox (kept, not yet delivered), for the file given or for any.
hex_of() { printf '%s' "$1" | od -An -tx1 | tr -d ' \n'; }
kept_for() { awk -v j="${1:+$(hex_of "$1")}" '$1 == "K" && (j == "" || $3 == j) { k[$2] = 1 } $1 == "D" { delete k[$2] } END { print length(k) }' "$outbox"; }
waiting=$(kept_for)
[ "$waiting" = 0 ] || fail "$waiting records wait in the outbox although their files could be written"

# The windows with the test's title: the page, and a message over it.
titled() { xdotool search --onlyvisible --name "^$title\$" 2>/dev/null || true; }

# The text of the message that comes up over the page (a window with the test's title that the
# ids in $1 do not hold: never one that was already there), read from the window itself: the
# mouse selects its text (drawn across it, as a teacher copying the reason would) and X's
# primary selection is read back. Its id goes to $work/message for close_message.
message_text() {
  local id=""
  for _ in $(seq 300); do
    id=$(titled | grep -vxF -e "${1:-none}" | tail -n1 || true)
    [ -n "$id" ] && break
    sleep 0.1
  done
  echo "$id" >"$work/message"
  [ -n "$id" ] || return 0 # no message over the page
  eval "$(xdotool getwindowgeometry --shell "$id")"
  xdotool mousemove --window "$id" 62 14 mousedown 1 mousemove --window "$id" $((WIDTH - 4)) $((HEIGHT - 52)) mouseup 1
  sleep 0.3
  xclip -o -selection primary -t UTF8_STRING 2>/dev/null || true
  sleep 0.8 # a key right after the mouse counts as part of its burst: the pupil reads first
}

# OK on that message, then waits until it is gone: the next key is never meant for it.
close_message() {
  local id
  id=$(cat "$work/message")
  [ -n "$id" ] || return 0
  xdotool key Return
  for _ in $(seq 300); do titled | grep -qxF "$id" || return 0; sleep 0.1; done
  fail "the message did not close at OK"
}

# HOME full (a small tmpfs filled to the last block, in a mount namespace of its own) and the
# temporary folder on it too: nothing can hold the result. "Вихід", SIGTERM: the program stays
# with the grade on screen and tells the pupil to call the teacher; once there is room again
# "Вихід" saves and ends.
full=$work/full
mkdir -p "$full"
# The room is made from inside the namespace (a waiting subshell removes the fill once asked), so
# the test needs no second entry into it, which a container may refuse although unshare works.
unshare -m sh -c 'mount -t tmpfs -o size=512k tmpfs "$1" && mkdir -p "$1/home" "$1/tmp" &&
  { dd if=/dev/zero of="$1/fill" bs=4k 2>/dev/null; true; } || exit
  (while [ ! -e "$4" ]; do sleep 0.1; done; rm -f "$1/fill" && touch "$4.done") & room=$!
  HOME=$1/home TMPDIR=$1/tmp "$2"; kill $room 2>/dev/null; cat "$1/home/test/Internet/1.txt" >"$3" 2>/dev/null' \
  sh "$full" "$app" "$work/full-journal" "$work/make-room" &
shell=$!
to_result_page "Місця Немає"
pid=$(pgrep -P $shell -x "$(basename "$app")")
page=$(titled)
xdotool key Return # "Вихід"
said=$(message_text "$page")
case $said in *"Результат НЕ збережено ніде"*"покличте вчителя"*) ;; *) fail "full home: the message is not the truth: $said" ;; esac
case $said in *"на диску немає місця"*) ;; *) fail "full home: the reason is not said: $said" ;; esac
close_message
kill -TERM "$pid"
said=$(message_text "$page")
kill -0 "$pid" 2>/dev/null || fail "full home: SIGTERM ended the program while nothing held the result"
case $said in *"Результат НЕ збережено ніде"*) ;; *) fail "full home: no message after SIGTERM: $said" ;; esac
touch "$work/make-room"
for _ in $(seq 300); do [ -e "$work/make-room.done" ] && break; sleep 0.1; done
[ -e "$work/make-room.done" ] || fail "full home: the disk could not be given room again"
close_message
wait_for "$title"
sleep 0.6
xdotool key Return # "Вихід", with room on the disk again
ended_or_kill "$pid" "full home: netquiz did not end once the line was saved"
wait $shell || true
holds "$work/full-journal" "Місця Немає" ||
  fail "full home: the journal does not hold the one line"

# HOME read-only (a read-only bind in a mount namespace of its own): neither the journal nor the
# outbox can be written; the result is kept in the temporary folder, the message says that it is
# kept on this computer, SIGTERM ends, and the next start (HOME writable again) delivers it.
rohome=$work/rohome
mkdir -p "$rohome" "$work/tmp"
unshare -m sh -c 'mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" && HOME=$1 TMPDIR=$2 exec "$3"' \
  sh "$rohome" "$work/tmp" "$app" &
pid=$!
to_result_page "Лише Читання"
page=$(titled)
xdotool key Return # "Вихід"
said=$(message_text "$page")
case $said in *"Результат збережено на цьому комп'ютері"*) ;; *) fail "read-only home: the message is not the truth: $said" ;; esac
case $said in *"диск лише для читання"*) ;; *) fail "read-only home: the reason is not said: $said" ;; esac
ls "$work/tmp"/netquiz-outbox-*.txt >/dev/null 2>&1 || fail "read-only home: nothing kept in the temporary folder"
close_message
stop "$pid" "read-only home: SIGTERM did not end netquiz although the result was kept"
delivered() { [ -s "$rohome/test/Internet/1.txt" ]; }
next_start env HOME="$rohome" TMPDIR="$work/tmp" "$app"
delivered() { [ ! -s "$outbox" ]; }
holds "$rohome/test/Internet/1.txt" "Лише Читання" ||
  fail "read-only home: the next start did not deliver the kept line from the temporary folder"

# A share that did not mount: the class folder is an empty local folder, without its marker.
# Nothing is written into it, the page stays (the message says so), the result waits in the
# outbox, also through a plain start (without --class-folder: the record remembers its class
# folder); marked (the share is there), the next start delivers the line and the details beside it.
class=$work/class
mkdir "$class"
as_pc='hostname "$1" && shift && exec "$@"' # under a host name of its own, as the same process
unshare --uts sh -c "$as_pc" sh PC-09 "$app" --class-folder "$class" &
pid=$!
to_result_page "Учень Без Теки"
xdotool key Return # "Вихід"
sleep 2
kill -0 $pid 2>/dev/null || fail "netquiz ended although its result could not be written"
[ -z "$(ls -A "$class")" ] || fail "written into a class folder without its marker: $(ls -A "$class")"
stop $pid "netquiz did not end at SIGTERM on the message"
[ "$(kept_for "$class/PC-09/1.txt")" = 1 ] || fail "the result does not wait in the outbox: $(cat "$outbox")"
unshare --uts sh -c "$as_pc" sh PC-09 "$app" &
pid=$!
wait_for "Введення даних про учня"
sleep 1
stop $pid "netquiz did not end at SIGTERM on the prompt"
[ -z "$(ls -A "$class")" ] || fail "a plain start delivered into a class folder without its marker"
[ "$(kept_for "$class/PC-09/1.txt")" = 1 ] || fail "a start without the marker dropped the kept result"
"$app" --make-class-folder "$class" >/dev/null || fail "--make-class-folder failed"
[ -f "$class/netquiz-class-folder.txt" ] || fail "--make-class-folder left no marker"
next_start unshare --uts sh -c "$as_pc" sh PC-09 "$app" --class-folder "$class"
holds "$class/PC-09/1.txt" "Учень Без Теки" ||
  fail "the kept result did not reach the marked class folder once"
grep -q '"kind":"finished".*"Учень Без Теки"\|"Учень Без Теки".*"kind":"finished"' "$class/PC-09/1.details.jsonl" ||
  fail "the details record did not reach the marked class folder"

# Two computers, one class folder: each its own journal; the teacher's CSV reads both.
for pc in PC-01 PC-02; do
  unshare --uts sh -c "$as_pc" sh "$pc" "$app" --class-folder "$class" &
  pid=$!
  to_result_page "Учень $pc"
  xdotool key Return # "Вихід"
  ended_or_kill $pid "netquiz on $pc did not end after Вихід"
  wait $pid || fail "netquiz on $pc could not run under its own host name (unshare needs root)"
  holds "$class/$pc/1.txt" "Учень $pc" || fail "no journal of its own for $pc"
done
QT_QPA_PLATFORM=offscreen "$app" --results --csv "$work/class.csv" "$class" || fail "the CSV of the class folder failed"
for pc in PC-01 PC-02; do grep -q "Учень $pc" "$work/class.csv" || fail "the CSV lacks $pc"; done

[ "$failures" -eq 0 ] || exit 1
echo "all passed"
