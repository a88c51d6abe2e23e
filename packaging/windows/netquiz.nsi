; SPDX-FileCopyrightText: 2026 The netquiz developers
; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer of netquiz, in Ukrainian: the program in Program Files, two Start-menu
; entries for every user of the computer (the test, and the teacher's results), an uninstaller.
;
;   netquiz-VERSION-setup.exe                                   asks where, then installs
;   netquiz-VERSION-setup.exe /S                                installs silently (a classroom)
;   netquiz-VERSION-setup.exe /S /CLASSFOLDER=\\server\class    ...with the class's shared folder:
;       the test's entry runs netquiz --class-folder \\server\class, the results' entry reads it
;   "C:\Program Files (x86)\netquiz\uninstall.exe" /S           removes it silently (64-bit Windows)
;
; Built by packaging/windows/CMakeLists.txt: makensis -DVERSION=... -DEXE=... -DICON=... -DOUTFILE=...
Unicode true
Target x86-unicode ; a 32-bit installer for the 32-bit program: both run on 32- and 64-bit Windows
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include nsDialogs.nsh

!define PRODUCT "netquiz"
!define TEST_NAME "Чи контактують між собою комп'ютери"
!define RESULTS_NAME "Результати тесту"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\netquiz"

Name "${TEST_NAME}"
Caption "${TEST_NAME} ${VERSION}: встановлення"
UninstallCaption "${TEST_NAME} ${VERSION}: видалення"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\netquiz" ; "Program Files (x86)" on 64-bit Windows, where 32-bit programs go
BrandingText "netquiz ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1058 "ProductName" "netquiz"
VIAddVersionKey /LANG=1058 "FileDescription" "${TEST_NAME}: встановлення"
VIAddVersionKey /LANG=1058 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1058 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1058 "CompanyName" "The netquiz developers"
VIAddVersionKey /LANG=1058 "LegalCopyright" "2026 The netquiz developers, GPL-3.0-or-later"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
Page custom ClassFolderPage ClassFolderLeave
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\netquiz.exe"
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Ukrainian"

Var ClassFolder
Var ClassFolderField

; Asked when installing by hand (a silent install takes /CLASSFOLDER instead).
Function ClassFolderPage
  !insertmacro MUI_HEADER_TEXT "Спільна папка класу" "Необов'язково"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 40u "Якщо журнали класу збираються у спільній папці, вкажіть її (наприклад, \\сервер\клас): кожен комп'ютер записуватиме туди свій журнал. Якщо залишити порожнім, журнал буде у C:\test\Internet\1.txt."
  Pop $0
  ${NSD_CreateText} 0 44u 100% 12u "$ClassFolder"
  Pop $ClassFolderField
  nsDialogs::Show
FunctionEnd

Function ClassFolderLeave
  ${NSD_GetText} $ClassFolderField $ClassFolder
FunctionEnd

Function .onInit
  ; /CLASSFOLDER=\\server\class, or /CLASSFOLDER="\\server\my class" for a path with spaces
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/CLASSFOLDER=" $ClassFolder
  ${If} ${Errors}
    StrCpy $ClassFolder ""
  ${EndIf}
  StrCpy $1 $ClassFolder 1
  ${If} $1 == '"'
    StrCpy $ClassFolder $ClassFolder "" 1
    StrCpy $ClassFolder $ClassFolder -1
  ${EndIf}
FunctionEnd

Section "netquiz" SecMain
  SectionIn RO
  SetShellVarContext all ; the entries for every pupil who signs in to this computer
  SetOutPath "$INSTDIR"
  File "/oname=netquiz.exe" "${EXE}"
  File "/oname=netquiz.com" "${COM}" ; `netquiz` at a prompt: waits for the end, passes the exit code
  File "/oname=LICENSE.txt" "${LICENSE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\netquiz"
  ${If} $ClassFolder == ""
    CreateShortCut "$SMPROGRAMS\netquiz\${TEST_NAME}.lnk" "$INSTDIR\netquiz.exe" "" "$INSTDIR\netquiz.exe" 0
    CreateShortCut "$SMPROGRAMS\netquiz\${RESULTS_NAME}.lnk" "$INSTDIR\netquiz.exe" "--results" "$INSTDIR\netquiz.exe" 0
  ${Else}
    CreateShortCut "$SMPROGRAMS\netquiz\${TEST_NAME}.lnk" "$INSTDIR\netquiz.exe" '--class-folder "$ClassFolder"' "$INSTDIR\netquiz.exe" 0
    CreateShortCut "$SMPROGRAMS\netquiz\${RESULTS_NAME}.lnk" "$INSTDIR\netquiz.exe" '--results "$ClassFolder"' "$INSTDIR\netquiz.exe" 0
  ${EndIf}

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${TEST_NAME} (netquiz)"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The netquiz developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\netquiz.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "ClassFolder" "$ClassFolder"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The pupils' journals (C:\test\Internet, the class folder) and outboxes are their results:
; never removed with the program.
Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\netquiz\${TEST_NAME}.lnk"
  Delete "$SMPROGRAMS\netquiz\${RESULTS_NAME}.lnk"
  RMDir "$SMPROGRAMS\netquiz"
  Delete "$INSTDIR\netquiz.exe"
  Delete "$INSTDIR\netquiz.com"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
