#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Every program the installer and the zip carry loads on Windows 7 SP1, 32- or 64-bit. Windows
# refuses to start a program whose import table names a DLL it does not have or a function that DLL
# does not export ("The program can't start..."); Wine does not show this, since it has every DLL
# whatever Windows it reports. So this reads the import tables themselves (objdump -p): the
# installer unpacked with 7z (netquiz.exe, its console twin netquiz.com and the uninstaller inside),
# the installer itself, the zip's netquiz.exe and netquiz.com. Each program must be a 32-bit one (PE32, i386), ask for no Windows newer than
# 7 (6.1) in its header, and import only the DLLs below and none of the functions below.
# usage: imports.sh OBJDUMP SETUP_EXE ZIP_FILE
set -uo pipefail
objdump=$1 setup=$2 zipfile=$3
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# clang-format off
# The DLLs a program may import: each is on Windows 7 SP1, as Microsoft's reference says of a
# function it exports ("Minimum supported client" and "DLL" on the function's page).
declare -A allowed=(
  [kernel32.dll]="CreateFileW: Windows XP"
  [user32.dll]="CreateWindowExW: Windows 2000 Professional"
  [gdi32.dll]="BitBlt: Windows 2000 Professional"
  [advapi32.dll]="RegOpenKeyExW: Windows 2000 Professional"
  [shell32.dll]="ShellExecuteW: Windows XP"
  [ole32.dll]="CoInitializeEx: Windows 2000 Professional"
  [oleaut32.dll]="SysAllocString: Windows 2000 Professional"
  [comdlg32.dll]="GetOpenFileNameW: Windows 2000 Professional"
  [comctl32.dll]="InitCommonControlsEx: Windows Vista"
  [imm32.dll]="ImmGetContext: Windows 2000 Professional"
  [winmm.dll]="timeBeginPeriod: Windows 2000 Professional"
  [ws2_32.dll]="WSAStartup: Windows Vista (desktop apps)"
  [dwmapi.dll]="DwmIsCompositionEnabled: Windows Vista"
  [uxtheme.dll]="OpenThemeData: Windows Vista"
  [version.dll]="GetFileVersionInfoW: Windows Vista"
  [netapi32.dll]="NetApiBufferFree: Windows 2000 Professional"
  [userenv.dll]="GetUserProfileDirectoryW: Windows 2000 Professional"
  [wtsapi32.dll]="WTSRegisterSessionNotification: Windows XP"
  [winspool.drv]="OpenPrinterW: Windows 2000 Professional"
  [shlwapi.dll]="PathFileExistsW: Windows 2000 Professional"
  [crypt32.dll]="CryptProtectData: Windows XP"
  [mpr.dll]="WNetGetUniversalNameW: Windows 2000 Professional"
  [dwrite.dll]="DWriteCreateFactory: Windows 7"
  [d2d1.dll]="D2D1CreateFactory: Windows 7"
  [msvcrt.dll]="the C runtime of Windows itself since Windows 2000, which MinGW-w64 links against"
)
# Functions that came with Windows 8 or later: their "Minimum supported client" on Microsoft's
# reference. The DLLs of Windows 8.1 and later (SHCORE.dll: GetDpiForMonitor, Windows 8.1) and
# every API-set DLL (api-ms-win-*, ext-ms-*: Windows 7 resolves only a few, Qt 6 imports the ones
# of Windows 8 such as api-ms-win-core-synch-l1-2-0 for WaitOnAddress) are refused by the list
# above, which does not have them.
declare -A forbidden=(
  [GetDpiForWindow]="Windows 10, version 1607"
  [GetDpiForSystem]="Windows 10, version 1607"
  [GetSystemMetricsForDpi]="Windows 10, version 1607"
  [SystemParametersInfoForDpi]="Windows 10, version 1607"
  [AdjustWindowRectExForDpi]="Windows 10, version 1607"
  [EnableNonClientDpiScaling]="Windows 10, version 1607"
  [SetThreadDpiAwarenessContext]="Windows 10, version 1607"
  [GetThreadDpiAwarenessContext]="Windows 10, version 1607"
  [GetAwarenessFromDpiAwarenessContext]="Windows 10, version 1607"
  [AreDpiAwarenessContextsEqual]="Windows 10, version 1607"
  [SetProcessDpiAwarenessContext]="Windows 10, version 1703"
  [SetThreadDescription]="Windows 10, version 1607"
  [GetDpiForMonitor]="Windows 8.1"
  [SetProcessDpiAwareness]="Windows 8.1"
  [GetProcessDpiAwareness]="Windows 8.1"
  [WaitOnAddress]="Windows 8"
  [WakeByAddressSingle]="Windows 8"
  [WakeByAddressAll]="Windows 8"
  [GetPointerType]="Windows 8"
  [GetPointerInfo]="Windows 8"
  [GetPointerFrameInfo]="Windows 8"
  [GetPointerPenInfo]="Windows 8"
  [GetPointerTouchInfo]="Windows 8"
  [GetPointerDevices]="Windows 8"
  [EnableMouseInPointer]="Windows 8"
  [SkipPointerFrameMessages]="Windows 8"
  [RegisterPointerDeviceNotifications]="Windows 8"
  [CreateFile2]="Windows 8"
  [GetSystemTimePreciseAsFileTime]="Windows 8"
  [PrefetchVirtualMemory]="Windows 8"
  [SetProcessMitigationPolicy]="Windows 8"
  [GetCurrentPackageFullName]="Windows 8"
  [RoInitialize]="Windows 8"
  [WindowsCreateString]="Windows 8"
)
# clang-format on
# Beside these, every function the Windows headers declare only for Windows 8 or later: MinGW-w64's
# headers follow the Windows SDK's version guards, so what they declare with _WIN32_WINNT=0x0A00 and
# not with 0x0601 (Windows 7) is newer than Windows 7.
cc=${objdump%objdump}gcc
headers_newer_than_7() {
  local v
  printf '#include <%s>\n' windows.h shellscalingapi.h dwmapi.h uxtheme.h shlobj.h shlwapi.h winspool.h \
    commdlg.h userenv.h wtsapi32.h lm.h imm.h winsock2.h >"$work/h.c"
  for v in 0x0601 0x0A00; do
    "$cc" -E -P -D_WIN32_WINNT=$v -DWINVER=$v -DNTDDI_VERSION=${v}0000 "$work/h.c" 2>/dev/null |
      grep -oE '\b[A-Za-z_][A-Za-z0-9_]*[[:space:]]*\(' | tr -d ' \t(' | sort -u >"$work/names-$v"
  done
  comm -13 "$work/names-0x0601" "$work/names-0x0A00"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for f in "$setup" "$zipfile"; do [ -f "$f" ] || { echo "missing $f" >&2; exit 1; }; done
command -v "$cc" >/dev/null || { echo "missing $cc" >&2; exit 1; }
headers_newer_than_7 >"$work/newer"
[ "$(wc -l <"$work/newer")" -gt 100 ] || fail "the headers' Windows 8+ functions were not found ($cc)"

mkdir "$work/setup" "$work/zip"
7z x -y -o"$work/setup" "$setup" >/dev/null || fail "7z could not unpack $setup"
unzip -q "$zipfile" -d "$work/zip" || fail "could not unpack $zipfile"
mapfile -t programs < <(find "$work/setup" "$work/zip" -type f \( -iname '*.exe' -o -iname '*.com' -o -iname '*.dll' \) | sort)
programs+=("$setup")
names=$(printf '%s\n' "${programs[@]}" | sed "s|^$work/||" | tr '\n' ' ')
grep -q 'setup/netquiz.exe' <<<"$names" && grep -q 'zip/netquiz/netquiz.exe' <<<"$names" ||
  fail "netquiz.exe not found in the installer and the zip: $names"
grep -q 'setup/netquiz.com' <<<"$names" && grep -q 'zip/netquiz/netquiz.com' <<<"$names" ||
  fail "netquiz.com, the console twin, not found in the installer and the zip: $names"
grep -qi 'setup/uninstall.exe' <<<"$names" || echo "(the uninstaller is written at install time: its stub is the installer's own)"

for p in "${programs[@]}"; do
  name=${p#"$work/"}
  dump=$("$objdump" -p "$p" 2>&1) || { fail "$name: $objdump cannot read it (not a 32-bit Windows program?): $dump"; continue; }
  grep -q 'file format pei-i386' <<<"$dump" || fail "$name is not a 32-bit Windows program: $(grep -m1 'file format' <<<"$dump")"
  for field in MajorOSystemVersion MajorSubsystemVersion; do
    major=$(awk -v f=$field '$1 == f { print $2 }' <<<"$dump")
    minor=$(awk -v f=${field/Major/Minor} '$1 == f { print $2 }' <<<"$dump")
    [ -n "$major" ] && [ $((major * 100 + minor)) -le 601 ] || fail "$name asks for Windows $major.$minor ($field): Windows 7 is 6.1"
  done
  # objdump -p: "DLL Name: X" starts a DLL's imports, then one "hint name" row per function.
  dlls=$(awk '/DLL Name:/ { print tolower($3) }' <<<"$dump" | sort -u)
  [ -n "$dlls" ] || fail "$name: no import table read"
  for dll in $dlls; do
    [ -n "${allowed[$dll]:-}" ] || fail "$name imports $dll, which Windows 7 SP1 does not have (or which this list does not know)"
  done
  functions=$(awk '/DLL Name:/ { in_dll = 1; next } in_dll && NF == 0 { in_dll = 0 }
                   in_dll && $1 ~ /^[0-9a-f]+$/ && NF >= 3 { print $3 }' <<<"$dump" | sort -u)
  for fn in $functions; do
    [ -z "${forbidden[$fn]:-}" ] || fail "$name imports $fn (${forbidden[$fn]} and later)"
  done
  late=$(comm -12 <(sort -u <<<"$functions") "$work/newer")
  [ -z "$late" ] || fail "$name imports what the Windows headers declare only for Windows 8 or later: $(tr '\n' ' ' <<<"$late")"
  echo "$name: $(wc -w <<<"$functions") functions from $(tr '\n' ' ' <<<"$dlls")"
done
# netquiz.exe tells Windows how to run it: with the user's own rights (no virtualised writes),
# Windows 7 to 11 known, sharp at every monitor's scale, the common controls of the system's look.
7z x -y -o"$work/rsrc" "$work/zip/netquiz/netquiz.exe" '.rsrc/MANIFEST/1' >/dev/null 2>&1
manifest=$(cat "$work/rsrc/.rsrc/MANIFEST/1" 2>/dev/null)
for want in 'level="asInvoker"' '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}' \
  '<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true/pm</dpiAware>' \
  'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"'; do
  grep -qF "$want" <<<"$manifest" || fail "netquiz.exe's manifest lacks $want: ${manifest:-(none)}"
done
[ "$failures" -eq 0 ] || exit 1
echo "all passed"
