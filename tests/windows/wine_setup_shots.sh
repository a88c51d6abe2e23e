#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Screenshots of the installer's and uninstaller's pages under Wine on Xvfb, at 100 % and 150 %
# (the prefix's screen at 96 and 144 DPI), to look at by hand: every page a teacher goes through
# and the class-folder page's three questions (a folder that is not there, a network path not
# reached, a folder not marked yet). The class-folder page with a path typed at 100 % is the
# teacher's guide's picture docs/guide-setup-class-folder.png.
# usage: wine_setup_shots.sh SETUP_EXE OUTDIR WINEPREFIX LOCPATH
set -uo pipefail
setup=$1 out=$2
export WINEPREFIX=$3 LOCPATH=$4
export WINE64=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver
command -v wine64 >/dev/null && WINE64=$(command -v wine64)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
# shellcheck source=wine_lib.sh
source "$here/wine_lib.sh"
trap 'stop_x; rm -rf "$work"' EXIT
mkdir -p "$out"
# A window's own pixels (a message box is missing from a capture of the whole screen).
grab() { sleep 1.5; xwd -silent -id "$1" | xwdtopnm 2>/dev/null | pnmtopng >"$out/$2-$pct.png" && echo "$out/$2-$pct.png"; }
# Waits until only the installer's own window is left (the message box answered has gone).
box_gone() { for _ in $(seq 100); do [ "$(windows_titled ".*: встановлення.*" | wc -l)" -le 1 ] && return; sleep 0.1; done; }
# The field of the class-folder page (it has the keyboard), emptied, then TEXT typed.
type_folder() {
  xdotool key ctrl+a BackSpace
  xdotool type --delay 40 "$1"
}
for pct in 100 150; do
  export SCALE_PCT=$pct
  prepare_prefix $((96 * pct / 100))
  start_x
  rm -rf "$WINEPREFIX/drive_c/Program Files (x86)/netquiz" "$WINEPREFIX/drive_c/class9"
  mkdir -p "$WINEPREFIX/drive_c/class9"
  wine "$setup" >/dev/null 2>&1 &
  pid=$!
  id=$(wait_new_window ".*: встановлення.*") || { fail "no installer at $pct %"; stop_x; continue; }
  grab "$id" setup-1-folder
  xdotool windowfocus "$id"
  xdotool key Return
  type_folder '\\SERVER\netquiz'
  grab "$id" setup-2-classfolder
  type_folder 'C:\nowhere\'
  xdotool key Return
  box=$(wait_new_window ".*: встановлення.*" "$id") && grab "$box" setup-3-missing && xdotool key Return && box_gone
  type_folder '\\server\class\'
  xdotool key Return
  box=$(wait_new_window ".*: встановлення.*" "$id") && grab "$box" setup-4-network && xdotool key Tab Return && box_gone # "Ні"
  type_folder 'C:\class9\'
  xdotool key Return
  box=$(wait_new_window ".*: встановлення.*" "$id") && grab "$box" setup-5-mark && xdotool key Return # "Так"
  sleep 4
  grab "$id" setup-6-finish
  xdotool key Return
  ended $pid || kill $pid
  [ -f "$WINEPREFIX/drive_c/class9/netquiz-class-folder.txt" ] || fail "the folder was not marked at $pct %"
  pid=
  wine "$WINEPREFIX/drive_c/Program Files (x86)/netquiz/uninstall.exe" >/dev/null 2>&1 &
  id=$(wait_new_window ".*: видалення.*") && grab "$id" uninstall-1-confirm && xdotool windowfocus "$id" && xdotool key Return
  sleep 4
  id=$(wait_new_window ".*: видалення.*") && grab "$id" uninstall-2-done && xdotool key Return
  sleep 1
  stop_x
done
prepare_prefix 96
[ "$failures" -eq 0 ]
