#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# netquiz.exe under Wine on Xvfb, in a Ukrainian Windows (ANSI code page 1251), driven with
# xdotool as a pupil would. One case per run:
#   road      the pupil's road end to end (prompts, five pages, result page, "Вихід"): the journal
#             C:\test\Internet\1.txt holds exactly the bytes the Linux program writes for the same
#             answers (the Linux program driven the same way on its own X server), but for the
#             date, which each system writes in its user's short date format
#   road_win7 the same road with Wine reporting Windows 7 SP1 (to `ver` and to the program)
#   failed_save  a file where the folder C:\test should be: the save fails with its message on the
#             screen, the result waits in %LOCALAPPDATA%\netquiz\outbox.txt, and the next start
#             (the file gone) delivers it to the journal once
#   installer the installer silently installs into Program Files (x86) of a 64-bit Windows with
#             /CLASSFOLDER (given with a trailing backslash), its Start-menu entry starts the test,
#             which writes into the class folder; the teacher's guide is installed with its entry;
#             a drive's root is quoted so that Windows passes it whole; the uninstaller removes the
#             program silently and leaves the journals
#   installer32  the installer by hand (Return on each page, no class folder) on a 32-bit Windows
#             (a prefix of its own), into Program Files; the entry's test writes C:\test\Internet
#   setup_class_folder  the installer's class-folder page by hand: a folder that is not there is
#             refused (the page stays), a folder not marked is marked on "Так" with the program's
#             own marker, and the entries get it without its trailing backslash
#   export    netquiz.exe --results --csv and --pdf on a class folder: the CSV byte for byte as the
#             Linux program's for the same folder, the PDF's text names every pupil
#   commandline  the command line at cmd.exe's prompt: --help redirected to a file (UTF-8, CR LF, the
#             Linux program's lines), the same through the console twin netquiz.com, texts and
#             exit codes in a console whose code page is 866, the --results --csv error paths, and
#             --make-class-folder "C:\class\9-Б\" as a teacher types it (its \" a quote to Windows)
#   no_console   netquiz.exe --no-such-option started as a shortcut starts it: the message box
#             with the test's title says what the console would, and the exit code is 2
#   english_windows  every character's journal bytes as Linux writes them, in a Ukrainian and an
#             English prefix (code pages 1251 and 1252), and the pupil's road on the English one
#   short_date   the pupil's road with the user's short date format set to yyyy-MM-dd in the
#             registry: the journal's date in that format, computed here from the registry's value
#             (not by the program's own function); the one-test lock in %LOCALAPPDATA%\netquiz
# usage: wine_e2e.sh CASE WINE64 WINESERVER WINEPREFIX LOCPATH NETQUIZ_EXE PRINT_DATE_EXE
#        LINUX_NETQUIZ LINUX_PRINT_DATE [SETUP_EXE]
set -uo pipefail
case_name=$1
WINE64=$2 WINESERVER=$3 WINEPREFIX=$4 LOCPATH=$5 exe=$6 print_date_exe=$7 linux_app=$8 linux_print_date=$9
setup=${10:-}
export WINE64 WINESERVER WINEPREFIX LOCPATH
here=$(cd "$(dirname "$0")" && pwd)
case $case_name in
road_win7) export WINDOWS_VERSION=win7 ;;
installer32) export WINEARCH=win32 WINEPREFIX=${WINEPREFIX}32 ;;
esac
# shellcheck source=wine_lib.sh
source "$here/wine_lib.sh"
for f in "$exe" "$linux_app" "$linux_print_date"; do
  [ -x "$f" ] || { echo "missing $f (the Linux program: cmake --preset release && cmake --build --preset program)" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'stop_x; for p in $(jobs -p); do kill "$p" 2>/dev/null; done; rm -rf "$work"' EXIT
drive_c=$WINEPREFIX/drive_c
user=$(id -un)
outbox=$drive_c/users/$user/AppData/Local/netquiz/outbox.txt

prepare_prefix 96
start_x
rm -rf "$drive_c/test" "$drive_c/class" "$outbox"

# The Linux program's journal for the same road, on an X server of its own, in a Ukrainian locale.
linux_journal() { # name group -> $work/linux/test/Internet/1.txt
  (
    failures=0 # its own, whatever failed before it
    export HOME=$work/linux QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work/linux-run
    mkdir -p "$HOME" && mkdir -m 700 -p "$XDG_RUNTIME_DIR"
    work=$work/linux-x && mkdir -p "$work"
    start_xvfb
    "$linux_app" >"$work/netquiz.log" 2>&1 &
    pid=$!
    name=$1 group=$2
    to_result_page && exit_button "$result_window"
    ended $pid || fail "the Linux program did not end after Вихід"
    kill $pid $xvfb 2>/dev/null
    exit "$failures"
  ) || fail "the Linux program's road"
}

# The date as each program writes it today.
windows_date=$(wine "$print_date_exe" | tr -d '\r')
linux_date=$(QT_QPA_PLATFORM=offscreen "$linux_print_date")
# The Linux bytes with the Windows date in place of the Linux one.
expected_of() { # journal -> stdout
  iconv -f CP1251 -t UTF-8 <"$1" | sed "s| - $linux_date - | - $windows_date - |" | iconv -f UTF-8 -t CP1251
}

start_exe() { # args...; the program as Windows starts it, pid in $pid
  wine "$exe" "$@" >>"$work/wine.log" 2>&1 &
  pid=$!
}

case $case_name in
road | road_win7)
  if [ "$case_name" = road_win7 ]; then
    ver=$(wine cmd /c ver 2>/dev/null | tr -d '\r')
    grep -q '6\.1\.7601' <<<"$ver" || fail "Wine does not report Windows 7 SP1 (6.1.7601): $ver"
    # Windows 7 SP1's kernel, 6.1.7601 (Wine 8 gives it the product type of Windows Server 2008
    # R2, the same kernel, so Qt may name it so).
    seen=$(wine "$print_date_exe" --system 2>/dev/null | tr -d '\r')
    grep -q ' 6\.1\.7601$' <<<"$seen" || fail "the program does not see Windows 7 SP1 (6.1.7601): $seen"
    echo "Windows: $ver; the program sees: $seen"
  fi
  name="Коваль Мар'яна" group="6-Б"
  linux_journal "$name" "$group"
  [ -s "$work/linux/test/Internet/1.txt" ] || fail "the Linux program wrote no journal"
  grep -q "Оцінка - 12"$'\r'"\$" < <(iconv -f CP1251 -t UTF-8 "$work/linux/test/Internet/1.txt") ||
    fail "the Linux road did not give 12 for every answer right: $(iconv -f CP1251 -t UTF-8 "$work/linux/test/Internet/1.txt")"
  start_exe
  to_result_page && exit_button "$result_window"
  ended $pid || fail "netquiz.exe did not end after Вихід"
  journal=$drive_c/test/Internet/1.txt
  if [ ! -f "$journal" ]; then
    fail "netquiz.exe wrote no C:\\test\\Internet\\1.txt"
  elif ! cmp -s <(expected_of "$work/linux/test/Internet/1.txt") "$journal"; then
    fail "the journal's bytes differ from the Linux program's:
$(expected_of "$work/linux/test/Internet/1.txt" | od -An -c | head -8)
$(od -An -c <"$journal" | head -8)"
  fi
  [ "$windows_date" != "$linux_date" ] && echo "date: Windows '$windows_date', Linux '$linux_date'"
  ;;
failed_save)
  name="Tanja Pomylka" group="7-V" # Latin: the road's Cyrillic is the road case's
  linux_journal "$name" "$group"
  mkdir -p "$drive_c"
  echo "not a folder" >"$drive_c/test"
  start_exe
  if to_result_page; then
    exit_button "$result_window"
    # The message box: a second window with the test's title over the result page.
    for _ in $(seq 300); do [ "$(windows_titled "$title" | wc -l)" -ge 2 ] && break; sleep 0.1; done
    [ "$(windows_titled "$title" | wc -l)" -ge 2 ] || fail "no message after the failed save"
    message=$(box_text "$(windows_titled "$title" | grep -vx "$result_window" | head -n1)")
    for words in 'Не вдалося записати результат у файл C:\test\Internet\1.txt.' 'Причина: на місці папки стоїть файл' \
      'Результат збережено на цьому комп'"'"'ютері'; do
      grep -qF "$words" <<<"$message" || fail "the message lacks '$words': $message"
    done
    kill -0 $pid 2>/dev/null || fail "netquiz.exe ended although the save failed"
    [ -z "${SHOTS:-}" ] || xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >"$SHOTS/failed-save.png"
    # The kept record: the journal's path and exactly the line the journal should get.
    # (The details file beside the journal cannot be written either: its records wait too.)
    kept=
    while read -r _ _ path_hex record_hex _; do
      [ "$(xxd -r -p <<<"$path_hex")" = "C:/test/Internet/1.txt" ] && kept=$record_hex
    done < <(grep -a '^K ' "$outbox" 2>/dev/null)
    if [ -z "$kept" ]; then
      fail "no result for C:/test/Internet/1.txt kept in $outbox: $(cat "$outbox" 2>&1)"
    else
      cmp -s <(xxd -r -p <<<"$kept") <(expected_of "$work/linux/test/Internet/1.txt") ||
        fail "the kept record is not the journal line: $(xxd -r -p <<<"$kept" | iconv -f CP1251 -t UTF-8)"
    fi
  fi
  wine taskkill /f /im netquiz.exe >/dev/null 2>&1 || kill $pid 2>/dev/null
  ended $pid || fail "netquiz.exe did not end"
  # The file gone, the next start delivers the kept result before the pupil has typed anything.
  rm -f "$drive_c/test"
  start_exe
  wait_new_window "$prompt" >/dev/null || fail "no prompt at the next start"
  for _ in $(seq 300); do [ -s "$drive_c/test/Internet/1.txt" ] && [ ! -s "$outbox" ] && break; sleep 0.1; done
  cmp -s "$drive_c/test/Internet/1.txt" <(expected_of "$work/linux/test/Internet/1.txt") ||
    fail "the next start did not deliver the kept result to the journal"
  [ ! -s "$outbox" ] || fail "the outbox is not emptied once its result is delivered"
  kill $pid 2>/dev/null
  ;;
installer | installer32)
  [ -f "$setup" ] || { echo "missing $setup" >&2; exit 1; }
  if [ "$case_name" = installer ]; then
    wine "$setup" /S '/CLASSFOLDER=C:\class\' >>"$work/wine.log" 2>&1 || fail "the silent install failed"
    results_args='--results "C:\class"' journal_dir=$drive_c/class
  else
    # By hand: Return on each page takes its default ("Далі", then "Готово"), the class folder
    # left empty; the installer's windows found by its program's name (Wine's window class).
    wine "$setup" >>"$work/wine.log" 2>&1 &
    setup_pid=$!
    for _ in $(seq 30); do
      kill -0 $setup_pid 2>/dev/null || break
      id=$(xdotool search --onlyvisible --class "$(basename "$setup")" 2>/dev/null | tail -n1)
      if [ -n "$id" ]; then
        xdotool windowfocus "$id" 2>/dev/null
        click_in "$id" 8 8 # the page's header: the window gets the keyboard
        xdotool key Return
      fi
      sleep 2
    done
    kill -0 $setup_pid 2>/dev/null && fail "the installer by hand did not end after 30 Returns"
    results_args='--results' journal_dir=$drive_c/test
  fi
  # A 32-bit program: "Program Files (x86)" on a 64-bit Windows, "Program Files" on a 32-bit one;
  # its uninstall entry in the registry's 32-bit view, where Windows lists 32-bit programs.
  installed="$drive_c/Program Files (x86)/netquiz" view=/reg:32
  [ "$WINEARCH" = win64 ] || installed="$drive_c/Program Files/netquiz" view=
  [ "$WINEARCH" = win32 ] || [ ! -e "$drive_c/Program Files/netquiz" ] || fail "installed into the 64-bit Program Files"
  menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/netquiz"
  [ -x "$installed/netquiz.exe" ] && cmp -s "$installed/netquiz.exe" "$exe" || fail "netquiz.exe is not in $installed"
  [ -f "$installed/netquiz.com" ] || fail "no console twin netquiz.com in $installed"
  [ -f "$installed/uninstall.exe" ] || fail "no uninstaller"
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\netquiz' /v QuietUninstallString $view 2>/dev/null |
    grep -q 'uninstall.exe" /S' || fail "no uninstall entry in the registry"
  test_lnk="$menu/$title.lnk"
  results_lnk="$menu/Результати тесту.lnk"
  [ -f "$test_lnk" ] && [ -f "$results_lnk" ] || fail "the Start-menu entries are missing: $(ls "$menu" 2>&1)"
  # C:\class\ given: "C:\class\" in a shortcut would reach the program as C:\class" (\" is a quote).
  strings -el "$results_lnk" 2>/dev/null | grep -qxF -- "$results_args" ||
    fail "the results' entry does not run netquiz $results_args: $(strings -el "$results_lnk")"
  if [ "$case_name" = installer ]; then
    strings -el "$test_lnk" 2>/dev/null | grep -qxF -- '--class-folder "C:\class"' || fail "the test's entry: $(strings -el "$test_lnk")"
  else
    ! strings -el "$test_lnk" 2>/dev/null | grep -qF -- --class-folder || fail "the test's entry has a class folder, none was given"
  fi
  strings -el "$menu/Довідка для вчителя.lnk" 2>/dev/null | grep -qxF -- '--guide' || fail "no entry for the teacher's guide"
  cmp -s "$installed/doc/teacher-guide.uk.md" "$here/../../docs/teacher-guide.uk.md" || fail "the guide is not installed"
  for picture in $(grep -o '](\([^)]*\.png\))' "$here/../../docs/teacher-guide.uk.md" | sed 's/^](\(.*\))$/\1/'); do
    [ -s "$installed/doc/$picture" ] || fail "the guide's picture $picture is not installed"
  done
  # The teacher marks the class folder (a pupil's computer never writes into an unmarked one);
  # the test's entry, started as Explorer starts it: the pupil's journal lands in the class folder
  # (without one, in C:\test\Internet).
  [ "$case_name" = installer32 ] || wine "$exe" --make-class-folder 'C:\class' >>"$work/wine.log" 2>&1 || fail "--make-class-folder failed"
  wine start /unix "$test_lnk" >>"$work/wine.log" 2>&1
  name="Ivan Yarlyk" group="5-A"
  pid=
  to_result_page && exit_button "$result_window"
  for _ in $(seq 300); do [ -n "$(find "$journal_dir" -name 1.txt -size +0 2>/dev/null)" ] && break; sleep 0.1; done
  journals=$(find "$journal_dir" -name 1.txt 2>/dev/null)
  [ "$(wc -l <<<"$journals")" = 1 ] && [ -n "$journals" ] && grep -aq "Ivan Yarlyk - 5-A - $windows_date - " "$journals" ||
    fail "the entry's test wrote no journal in $journal_dir: $(ls -R "$journal_dir" 2>&1 | head)"
  wine taskkill /f /im netquiz.exe >/dev/null 2>&1 || true
  # The uninstaller hands over to a copy of itself outside the folder it removes, and returns.
  uninstall "$installed"
  [ ! -e "$installed" ] || fail "$installed remains after the uninstall: $(ls "$installed")"
  [ ! -e "$menu" ] || fail "the Start-menu entries remain after the uninstall"
  ! wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\netquiz' $view >/dev/null 2>&1 ||
    fail "the uninstall entry remains in the registry"
  [ -z "$journals" ] || [ -f "$journals" ] || fail "the uninstall removed a journal"
  [ ! -e "$installed/doc" ] || fail "the guide remains after the uninstall"
  # A drive's root keeps its backslash, doubled before the closing quote: "C:\\" reaches the
  # program as C:\ (and "C:\" would be C:").
  wine "$setup" /S '/CLASSFOLDER=C:\' >>"$work/wine.log" 2>&1 || fail "the silent install into C:\\ failed"
  strings -el "$test_lnk" 2>/dev/null | grep -qxF -- '--class-folder "C:\\"' || fail "a drive's root quoted wrongly: $(strings -el "$test_lnk")"
  uninstall "$installed"
  ;;
setup_class_folder)
  [ -f "$setup" ] || { echo "missing $setup" >&2; exit 1; }
  export SCALE_PCT=100
  installed="$drive_c/Program Files (x86)/netquiz" # a 32-bit program on a 64-bit Windows
  menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/netquiz"
  rm -rf "$drive_c/class9" "$installed" "$menu"
  mkdir -p "$drive_c/class9"
  wine "$setup" >>"$work/wine.log" 2>&1 &
  pid=$!
  setup_title=".*: встановлення.*"
  type_folder() { # the class-folder page's field (it has the keyboard), emptied, then $1 typed, then Enter ("Встановити")
    xdotool key ctrl+a BackSpace
    xdotool type --delay 40 "$1"
    sleep 0.3
    xdotool key Return
  }
  if id=$(wait_new_window "$setup_title"); then
    xdotool windowfocus "$id"
    sleep 1
    xdotool key Return # the program's folder as it is
    sleep 1
    type_folder 'C:\nowhere\'
    if box=$(wait_new_window "$setup_title" "$id"); then
      xdotool key Return
      for _ in $(seq 100); do [ "$(windows_titled "$setup_title" | wc -l)" -le 1 ] && break; sleep 0.1; done
      sleep 2
      [ ! -e "$installed" ] || fail "the installer went on with a folder that is not there"
    else
      fail "no message for a folder that is not there"
    fi
    type_folder 'C:\class9\'
    if box=$(wait_new_window "$setup_title" "$id"); then
      xdotool key Return # "Так": mark it
    else
      fail "not offered to mark the folder"
    fi
    for _ in $(seq 600); do [ -f "$menu/$title.lnk" ] && break; sleep 0.1; done
    cmp -s "$drive_c/class9/netquiz-class-folder.txt" "$here/../../assets/netquiz-class-folder.txt" ||
      fail "the folder is not marked with the program's marker: $(ls "$drive_c/class9" 2>&1)"
    strings -el "$menu/$title.lnk" 2>/dev/null | grep -qxF -- '--class-folder "C:\class9"' ||
      fail "the test's entry: $(strings -el "$menu/$title.lnk" 2>&1)"
    sleep 1
    xdotool key Return # "Готово"
  else
    fail "no installer window"
  fi
  ended $pid || { fail "the installer did not end"; kill $pid; }
  # Installed again by hand: the page shows the folder saved, and going through keeps it.
  wine "$setup" >>"$work/wine.log" 2>&1 &
  pid=$!
  if id=$(wait_new_window "$setup_title"); then
    xdotool windowfocus "$id"
    sleep 1
    xdotool key Return # the program's folder as it is
    sleep 1
    xdotool key ctrl+a ctrl+c
    sleep 0.5
    shown=$(xclip -o -selection clipboard 2>/dev/null | tr -d '\r')
    [ "$shown" = 'C:\class9' ] || fail "installed again, the class-folder page shows '$shown', not C:\class9"
    touch "$work/before-second"
    xdotool key Return # "Встановити"
    for _ in $(seq 600); do [ -n "$(find "$menu" -name "$title.lnk" -newer "$work/before-second")" ] && break; sleep 0.1; done
    sleep 2
    xdotool key Return # "Готово"
  else
    fail "no installer window the second time"
  fi
  ended $pid || { fail "the second installer did not end"; kill $pid; }
  strings -el "$menu/$title.lnk" 2>/dev/null | grep -qxF -- '--class-folder "C:\class9"' ||
    fail "installed again by hand, the test's entry: $(strings -el "$menu/$title.lnk" 2>&1)"
  # And silently, without /CLASSFOLDER: the saved folder stays.
  wine "$setup" /S >>"$work/wine.log" 2>&1 || fail "the silent install over the first failed"
  strings -el "$menu/$title.lnk" 2>/dev/null | grep -qxF -- '--class-folder "C:\class9"' ||
    fail "installed again silently, the test's entry: $(strings -el "$menu/$title.lnk" 2>&1)"
  uninstall "$installed"
  [ -f "$drive_c/class9/netquiz-class-folder.txt" ] || fail "the uninstall removed the class folder's marker"
  ;;
export)
  # Two computers' journals of one class, as the class folder holds them.
  for pc in PC-01 PC-02; do
    mkdir -p "$work/class/$pc"
    {
      printf '%s\r\n' "Тема: $title - Бойко Олег ($pc) - 9-А - 01.12.2026 - Оцінка - 10"
      printf '%s\r\n' "Тема: $title - Ґонта Їжак ($pc) - 9-Б - 02.12.2026 - Оцінка - 4"
    } | iconv -f UTF-8 -t CP1251 >"$work/class/$pc/1.txt"
  done
  cp -r "$work/class" "$drive_c/class"
  # (A message box instead, e.g. Qt's own about a missing platform, would wait for ever: a limit.)
  timeout 120 "$WINE64" "$exe" --results --csv 'C:\class.csv' 'C:\class' >>"$work/wine.log" 2>&1 || fail "--results --csv failed"
  timeout 120 "$WINE64" "$exe" --results --pdf 'C:\class.pdf' 'C:\class' >>"$work/wine.log" 2>&1 || fail "--results --pdf failed"
  QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 "$linux_app" --results --csv "$work/linux.csv" "$drive_c/class" || fail "the Linux CSV failed"
  # The same bytes but for the journals' paths, which each system writes in its own form.
  sed "s|$drive_c/class/\(PC-0[12]\)/1.txt|C:\\\\class\\\\\1\\\\1.txt|g" "$work/linux.csv" >"$work/expected.csv"
  if ! cmp -s "$drive_c/class.csv" "$work/expected.csv"; then
    fail "the CSV differs from the Linux program's:
$(diff <(tr -d '\r' <"$work/expected.csv") <(tr -d '\r' <"$drive_c/class.csv" 2>&1) | head -10)"
  fi
  text=$(pdftotext "$drive_c/class.pdf" - 2>/dev/null)
  for who in "Бойко Олег (PC-01)" "Ґонта Їжак (PC-02)"; do
    grep -qF "$who" <<<"$text" || fail "the PDF lacks $who"
  done
  ;;
commandline)
  com=${exe%.exe}.com
  [ -f "$com" ] || fail "no console twin $com beside $exe"
  cd "$work" || exit 1
  cp "$exe" "$com" . && exe=$work/netquiz.exe
  # --help into a file: the Linux program's lines (the journal's place aside), UTF-8, CR LF.
  wine cmd /c "netquiz.exe --help > help.txt"
  code=$?
  [ $code -eq 0 ] || fail "netquiz.exe --help > help.txt: exit $code"
  QT_QPA_PLATFORM=offscreen HOME=/nowhere "$linux_app" --help | sed 's|/nowhere/test/Internet/1.txt|C:\\test\\Internet\\1.txt|; s/$/\r/' >help.linux
  cmp -s help.txt help.linux || fail "--help > help.txt is not the Linux text in UTF-8 with CR LF:
$(diff <(cat -A help.linux) <(cat -A help.txt) | head -6)"
  wine cmd /c "netquiz.com --help > help2.txt"
  cmp -s help.txt help2.txt || fail "netquiz.com --help > help2.txt differs from netquiz.exe's"
  # In a console (Wine's, on a pseudo-terminal), code page 866: the text whole, the exit code kept.
  on_console() { script -qec "$1" /dev/null </dev/null | sed 's/\x1b\[[0-9;?]*[a-zA-Z]//g; s/\x1b\][^\a]*\a//g' | tr -d '\r'; }
  grep -q 866 <<<"$(on_console "$WINE64 cmd /c chcp")" || fail "the console's code page is not 866"
  for prog in netquiz.com netquiz.exe; do
    shown=$(on_console "$WINE64 cmd /c $prog --no-such-option; echo rc=\$?")
    grep -qxF "netquiz: невідомий параметр «--no-such-option»" <<<"$shown" || fail "$prog --no-such-option in a console: $shown"
    grep -qxF "Довідка: netquiz --help" <<<"$shown" || fail "$prog --no-such-option in a console: $shown"
    grep -qx "rc=2" <<<"$shown" || fail "$prog --no-such-option: not exit 2: $shown"
  done
  shown=$(on_console "$WINE64 cmd /c netquiz.com --help")
  grep -qF "Код завершення: 0 - гаразд" <<<"$shown" || fail "netquiz.com --help in a console: $(head -3 <<<"$shown")"
  # --results --csv: a CSV that cannot be written (2), a path that cannot be read (3).
  mkdir -p "$drive_c/class/PC-01"
  printf '%s\r\n' "Тема: $title - Бойко Олег - 9-А - 01.12.2026 - Оцінка - 10" | iconv -t CP1251 >"$drive_c/class/PC-01/1.txt"
  wine cmd /c 'netquiz.com --results --csv C:\немає\o.csv C:\class 2> err.txt'
  code=$?
  [ $code -eq 2 ] || fail "--csv into a missing folder: exit $code, not 2"
  grep -qF 'netquiz: Не вдалося записати «C:\немає\o.csv»' err.txt || fail "--csv into a missing folder said: $(cat err.txt)"
  wine cmd /c 'netquiz.com --results --csv C:\o.csv C:\class C:\немає 2> err.txt'
  code=$?
  [ $code -eq 3 ] || fail "--csv with a path that is not there: exit $code, not 3"
  grep -qF 'C:\немає' err.txt || fail "the missing path is not named: $(cat err.txt)"
  grep -qF 'Бойко Олег' "$drive_c/o.csv" || fail "the CSV lacks the readable journal's line"
  # The class folder as typed with a backslash at its end (a batch file: the line as typed).
  printf '@netquiz.com --make-class-folder "C:\\class\\9-Б\\" > made.txt\r\n' | iconv -t CP866 >make.bat
  wine cmd /c make.bat
  code=$?
  [ $code -eq 0 ] || fail "--make-class-folder \"C:\\class\\9-Б\\\": exit $code ($(cat made.txt))"
  [ -f "$drive_c/class/9-Б/netquiz-class-folder.txt" ] || fail "C:\\class\\9-Б is not marked: $(ls "$drive_c/class")"
  grep -qxF 'Теку класу підготовлено: C:\class\9-Б'$'\r' made.txt || fail "--make-class-folder said: $(cat made.txt)"
  ;;
no_console)
  # Started as a shortcut starts it: no console, nothing redirected.
  wine start /wait /unix "$exe" --no-such-option >>"$work/wine.log" 2>&1 &
  pid=$!
  box=$(wait_new_window "$title") || fail "no message box for a wrong command line started with no console"
  if [ -n "$box" ]; then
    message=$(box_text "$box")
    for words in 'netquiz: невідомий параметр «--no-such-option»' 'Довідка: netquiz --help'; do
      grep -qF "$words" <<<"$message" || fail "the box lacks '$words': $message"
    done
    [ -z "${SHOTS:-}" ] || xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >"$SHOTS/no-console.png"
    xdotool key Return
  fi
  ended $pid || fail "netquiz.exe did not end after the box"
  wait $pid
  code=$?
  [ $code -eq 2 ] || fail "the wrong command line ended with $code, not 2"
  ;;
short_date)
  key='HKCU\Control Panel\International'
  before=$(wine reg query "$key" /v sShortDate 2>/dev/null | tr -d '\r' | awk '/sShortDate/ {print $NF}')
  wine reg add "$key" /v sShortDate /t REG_SZ /d yyyy-MM-dd /f >/dev/null 2>&1
  format=$(wine reg query "$key" /v sShortDate 2>/dev/null | tr -d '\r' | awk '/sShortDate/ {print $NF}')
  # The registry's format in date(1)'s terms (the parts this format has).
  expected=$(date +"$(sed 's/yyyy/%Y/; s/MM/%m/; s/dd/%d/' <<<"$format")")
  name="Short Date" group="8-D"
  start_exe
  if to_result_page; then
    lock=$drive_c/users/$user/AppData/Local/netquiz/netquiz-test.lock
    [ -f "$lock" ] || fail "no one-test lock in %LOCALAPPDATA%\\netquiz"
    [ ! -e "$drive_c/users/$user/netquiz-test.lock" ] || fail "the one-test lock is in the profile folder"
    exit_button "$result_window"
  fi
  ended $pid || fail "netquiz.exe did not end after Вихід"
  [ -n "$before" ] && wine reg add "$key" /v sShortDate /t REG_SZ /d "$before" /f >/dev/null 2>&1
  [ "$format" = yyyy-MM-dd ] || fail "the registry holds '$format', not yyyy-MM-dd"
  grep -aq "Short Date - 8-D - $expected - Оцінка - 12" <(iconv -f CP1251 -t UTF-8 "$drive_c/test/Internet/1.txt" 2>/dev/null) ||
    fail "the journal's date is not $expected: $(iconv -f CP1251 -t UTF-8 "$drive_c/test/Internet/1.txt" 2>&1)"
  ;;
english_windows)
  # Every character of the Basic Multilingual Plane as the journal writes it: the same bytes on
  # Linux and on Windows, a Ukrainian one (code page 1251) and an English one (1252).
  "$linux_print_date" --encode >"$work/linux.codes"
  for locale in uk_UA.UTF-8 en_US.UTF-8; do
    LANG=$locale wine "$print_date_exe" --encode 2>/dev/null | tr -d '\r' >"$work/$locale.codes"
    cmp -s "$work/linux.codes" "$work/$locale.codes" ||
      fail "under $locale the journal's bytes differ from Linux's: $(diff "$work/linux.codes" "$work/$locale.codes" | head -6)"
  done
  grep -qx '0422 d2' "$work/linux.codes" || fail "Т is not Windows-1251's D2"
  grep -qx '00E9 65' "$work/linux.codes" || fail "é (no code in 1251) is not its base letter e"
  grep -qx '200B ' "$work/linux.codes" || fail "a zero-width space is written"
  for pair in uk_UA.UTF-8:1251 en_US.UTF-8:1252; do
    acp=$(LANG=${pair%%:*} wine "$print_date_exe" --code-page 2>/dev/null | tr -d '\r')
    [ "$acp" = "${pair##*:}" ] || fail "under ${pair%%:*} the program runs in code page '$acp', not ${pair##*:}"
  done
  # The pupil's road on the English Windows: the journal Linux writes, in its date.
  name="Коваль Мар'яна" group="6-Б"
  linux_journal "$name" "$group"
  export LANG=en_US.UTF-8
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w
  "$WINESERVER" -p60
  windows_date=$(wine "$print_date_exe" | tr -d '\r')
  start_exe
  to_result_page && exit_button "$result_window"
  ended $pid || fail "netquiz.exe did not end after Вихід"
  cmp -s <(expected_of "$work/linux/test/Internet/1.txt") "$drive_c/test/Internet/1.txt" ||
    fail "the English Windows' journal differs from Linux's: $(od -An -c "$drive_c/test/Internet/1.txt" 2>&1 | head -4)"
  ;;
*) echo "unknown case $case_name" >&2; exit 2 ;;
esac
[ "$failures" -eq 0 ] || exit 1
echo "all passed"
