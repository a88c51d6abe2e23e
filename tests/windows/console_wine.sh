#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows program's console layer under Wine, through console_probe.exe (a window program
# built on control/console_win.cpp) and console_probe.com (the console twin's own source), in a
# Ukrainian Wine whose console code page is 866:
#   - redirected to a file (cmd.exe's `>` and `2>`), the text is UTF-8 with CR LF, the exit code kept
#   - in a console (a pseudo-terminal under Wine's console), the text comes out whole, also the
#     letters code page 866 lacks (ґ, і): the console's own wide text
#   - at cmd.exe's prompt the window program alone gives the prompt back before it ends; the
#     twin makes the prompt wait, and %errorlevel% is the program's exit code
#   - started with no console and no redirection (as a shortcut starts it) a line reaches nothing,
#     and the program knows it
#   - arguments quoted as Windows splits them, and passed on by the twin as they were typed
# usage: console_wine.sh WINE64 WINESERVER WINEPREFIX LOCPATH PROBE_EXE PROBE_COM
set -uo pipefail
WINE64=$1 WINESERVER=$2 WINEPREFIX=$3 LOCPATH=$4 exe=$5 com=$6
export WINE64 WINESERVER WINEPREFIX LOCPATH
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine_lib.sh
source "$here/wine_lib.sh"
work=$(mktemp -d)
trap '"$WINESERVER" -k 2>/dev/null; rm -rf "$work"' EXIT
prepare_prefix 96
cp "$exe" "$work/console_probe.exe" && cp "$com" "$work/console_probe.com"
cd "$work" || exit 1
text="Використання: netquiz — ґудзик, їжак, єнот, Ірина, Ґанок, Їжа, Єва, І"
second="Довідка: netquiz --help" # the same text's second line: CR LF ends it too

# Redirected: UTF-8 bytes and CR LF; the exit code as the program ends.
for prog in console_probe.exe console_probe.com; do
  rm -f out.txt err.txt
  wine cmd /c "$prog out > out.txt"
  code=$?
  [ $code -eq 0 ] || fail "$prog out > out.txt: exit $code"
  cmp -s out.txt <(printf '%s\r\n' "$text" "$second") || fail "$prog out > out.txt: $(xxd out.txt | head -3)"
  wine cmd /c "$prog err 2> err.txt"
  code=$?
  [ $code -eq 2 ] || fail "$prog err 2> err.txt: exit $code, not 2"
  cmp -s err.txt <(printf '%s\r\n' "$text" "$second") || fail "$prog err 2> err.txt: $(xxd err.txt | head -3)"
done

# A console: Wine's console on a pseudo-terminal (UTF-8 on its side); the console's code page is
# a Ukrainian Windows' 866, which has no "ґ" or "і": only wide text brings them.
on_console() { script -qec "$1" /dev/null </dev/null | sed 's/\x1b\[[0-9;?]*[a-zA-Z]//g; s/\x1b\][^\a]*\a//g' | tr -d '\r'; }
page=$(on_console "$WINE64 cmd /c chcp")
grep -q "866" <<<"$page" || fail "the console's code page is not 866: $page"
for prog in console_probe.exe console_probe.com; do
  shown=$(on_console "$WINE64 cmd /c $prog out")
  grep -qxF "$text" <<<"$shown" && grep -qxF "$second" <<<"$shown" || fail "$prog out in a console showed: $shown"
done

# At the prompt: cmd.exe (here Wine's, which follows Windows' rule) does not wait for a window
# program, so its line comes after the prompt is back; it waits for the twin.
mkfifo keys
log=$work/prompt.log
script -qefc "$WINE64 cmd" /dev/null <keys >"$work/prompt.raw" 2>&1 &
prompt=$!
exec {to}>keys
clean() { sed 's/\x1b\[[0-9;?]*[a-zA-Z]//g; s/\x1b\][^\a]*\a//g' "$work/prompt.raw" | tr -d '\r' >"$log"; }
prompts() { clean; grep -o '^[A-Z]:\\[^>]*>' "$log" | wc -l; }
# Waits (up to 60 s) until the log holds $1 prompts ("Z:\...>") and, where given, the text $2.
wait_for() {
  for _ in $(seq 600); do
    [ "$(prompts)" -ge "$1" ] && { [ -z "${2:-}" ] || grep -qF "$2" "$log"; } && return 0
    sleep 0.1
  done
  return 1
}
wait_for 1 || fail "no prompt: $(cat "$log")"
printf 'console_probe.exe slow\r' >&$to
wait_for 2 || fail "no prompt after the window program"
grep -qF "готово" "$log" && fail "the prompt waited for the window program (Windows' cmd.exe does not)"
wait_for 2 "готово" || fail "the window program's line never came"
printf 'console_probe.com slow\r' >&$to
wait_for 3 || fail "no prompt after the twin"
# The twin's line on a line of its own, before the prompt that came back after it.
own=$(grep -nx 'готово' "$log" | tail -1 | cut -d: -f1)
last_prompt=$(grep -n '^[A-Z]:\\[^>]*>' "$log" | tail -1 | cut -d: -f1)
[ -n "$own" ] && [ "$own" -lt "$last_prompt" ] || fail "the twin's prompt came back before its line: $(cat "$log")"
printf 'echo rc=%%errorlevel%%\r' >&$to
wait_for 4 "rc=3" || fail "%errorlevel% after the twin is not the program's 3: $(cat "$log")"
printf 'exit\r' >&$to
exec {to}>&-
ended "$prompt" || kill "$prompt"

# No console and nothing redirected: started as a shortcut starts it (the shell's "start").
wine start /wait console_probe.exe silent
code=$?
[ $code -eq 4 ] || fail "with no console a line reached something (exit $code, not 4)"

# Quoting: every tricky argument split back as it was; the twin passes arguments on as typed.
wine console_probe.com quote >quote.txt 2>&1 || fail "quoting: $(cat quote.txt)"
# (A batch file: the line as a teacher types it, read in the console's code page.)
printf '@console_probe.com args "C:\\share\\9б\\\\" "клас 9-Б" > args.txt\r\n' | iconv -t CP866 >args.bat
wine cmd /c args.bat
cmp -s args.txt <(printf '«C:\\share\\9б\\»\r\n«клас 9-Б»\r\n') || fail "the twin passed on: $(cat args.txt)"

[ $failures -eq 0 ] && echo "console: all checks passed"
exit $((failures > 0))
