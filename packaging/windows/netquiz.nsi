; SPDX-FileCopyrightText: 2026 The netquiz developers
; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer of netquiz, in Ukrainian: the program in Program Files with the teacher's
; guide beside it, three Start-menu entries for every user of the computer (the test, the
; teacher's results, the teacher's guide), an uninstaller.
;
;   netquiz-VERSION-setup.exe                                   asks where, then installs
;   netquiz-VERSION-setup.exe /S                                installs silently (a classroom)
;   netquiz-VERSION-setup.exe /S /CLASSFOLDER=\\server\class    ...with the class's shared folder:
;       the test's entry runs netquiz --class-folder "\\server\class", the results' entry reads it
;   "C:\Program Files (x86)\netquiz\uninstall.exe" /S           removes it silently (64-bit Windows)
;
; Built by packaging/windows/CMakeLists.txt: makensis -DVERSION=... -DEXE=... -DICON=... -DLICENSE=...
;   -DMARKER=assets/netquiz-class-folder.txt -DGUIDE_DIR=docs -DGUIDE_PICTURES_NSH=... -DOUTFILE=...
; GUIDE_PICTURES_NSH defines GUIDE_PICTURES, which applies File or Delete to each of the guide's
; pictures (the list is the build's: the same the program has built in).
Unicode true
Target x86-unicode ; a 32-bit installer for the 32-bit program: both run on 32- and 64-bit Windows
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include nsDialogs.nsh
!include x64.nsh
!include "${GUIDE_PICTURES_NSH}"

!define PRODUCT "netquiz"
!define TEST_NAME "Чи контактують між собою комп'ютери"
!define RESULTS_NAME "Результати тесту"
!define GUIDE_NAME "Довідка для вчителя"
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

; The installer's and uninstaller's words: NSIS's stock Ukrainian carries Russian spellings
; ("Программа"), misspellings ("вказанної", "процессу") and missing commas, so every text these
; pages show is written here. Lines are broken by hand and kept short: Windows' and Wine's fonts
; differ in width, and a label that wraps by itself gets clipped at the right under Wine.
!define MUI_ABORTWARNING
!define MUI_ABORTWARNING_TEXT "Припинити встановлення тесту?"
!define MUI_UNABORTWARNING
!define MUI_UNABORTWARNING_TEXT "Припинити видалення тесту?"

!define MUI_PAGE_HEADER_TEXT "Тека програми"
!define MUI_PAGE_HEADER_SUBTEXT "Куди встановити тест."
!define MUI_DIRECTORYPAGE_TEXT_TOP "Тест буде встановлено в цю теку. Щоб вибрати іншу,$\r$\nнатисніть «Огляд…». Зазвичай нічого міняти не треба.$\r$\nНатисніть «Далі», щоб продовжити."
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "Тека програми"
!insertmacro MUI_PAGE_DIRECTORY

Page custom ClassFolderPage ClassFolderLeave

!define MUI_PAGE_HEADER_TEXT "Встановлення"
!define MUI_PAGE_HEADER_SUBTEXT "Зачекайте: файли тесту копіюються."
!define MUI_INSTFILESPAGE_FINISHHEADER_TEXT "Встановлення завершено"
!define MUI_INSTFILESPAGE_FINISHHEADER_SUBTEXT "Тест встановлено."
!define MUI_INSTFILESPAGE_ABORTHEADER_TEXT "Встановлення перервано"
!define MUI_INSTFILESPAGE_ABORTHEADER_SUBTEXT "Тест не встановлено до кінця."
!insertmacro MUI_PAGE_INSTFILES
; (MUI 2 forgets to unset these two after the page, unlike the others.)
!undef MUI_INSTFILESPAGE_ABORTHEADER_TEXT
!undef MUI_INSTFILESPAGE_ABORTHEADER_SUBTEXT

; The finish page's title is short: a long one loses its third line.
!define MUI_FINISHPAGE_TITLE "Тест встановлено"
!define MUI_FINISHPAGE_TEXT "Тест «${TEST_NAME}» встановлено.$\r$\n$\r$\nУ меню «Пуск», у теці netquiz, є сам тест, результати тесту і довідка для вчителя."
!define MUI_FINISHPAGE_TEXT_LARGE
!define MUI_FINISHPAGE_BUTTON "&Готово"
!define MUI_FINISHPAGE_RUN "$INSTDIR\netquiz.exe"
!define MUI_FINISHPAGE_RUN_PARAMETERS "--guide"
!define MUI_FINISHPAGE_RUN_TEXT "&Відкрити довідку для вчителя"
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!define MUI_PAGE_HEADER_TEXT "Видалення тесту"
!define MUI_PAGE_HEADER_SUBTEXT "Тест буде видалено з цього комп'ютера."
!define MUI_UNCONFIRMPAGE_TEXT_TOP "Тест буде видалено з цієї теки. Журнали учнів, файли$\r$\nподробиць, позначки спільних тек і результати, що ще$\r$\nчекають на комп'ютері, залишаться на місці."
!define MUI_UNCONFIRMPAGE_TEXT_LOCATION "Тека програми:"
!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_PAGE_HEADER_TEXT "Видалення тесту"
!define MUI_PAGE_HEADER_SUBTEXT "Зачекайте: файли тесту видаляються."
!define MUI_INSTFILESPAGE_FINISHHEADER_TEXT "Видалення завершено"
!define MUI_INSTFILESPAGE_FINISHHEADER_SUBTEXT "Тест видалено; журнали учнів залишилися."
!define MUI_INSTFILESPAGE_ABORTHEADER_TEXT "Видалення перервано"
!define MUI_INSTFILESPAGE_ABORTHEADER_SUBTEXT "Тест видалено не до кінця."
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Ukrainian"

; The stock texts below the pages (buttons, the list of what is done, the file error) where
; they are wrong or clumsy.
LangString ^ClickNext ${LANG_UKRAINIAN} "Натисніть «Далі», щоб продовжити."
LangString ^ClickInstall ${LANG_UKRAINIAN} "Натисніть «Встановити», щоб почати встановлення."
LangString ^ClickUninstall ${LANG_UKRAINIAN} "Натисніть «Видалити», щоб почати видалення."
LangString ^DirSubText ${LANG_UKRAINIAN} "Тека програми"
LangString ^UninstallingText ${LANG_UKRAINIAN} "Тест буде видалено з цієї теки."
LangString ^UninstallingSubText ${LANG_UKRAINIAN} "Тека програми:"
LangString ^ShowDetailsBtn ${LANG_UKRAINIAN} "&Подробиці"
LangString ^BrowseBtn ${LANG_UKRAINIAN} "О&гляд…"
LangString ^DirBrowseText ${LANG_UKRAINIAN} "Виберіть теку для тесту «${TEST_NAME}»:"
; Sizes as Ukrainian writes them: КБ, МБ, ГБ (the stock "б" is the Russian habit).
LangString ^Byte ${LANG_UKRAINIAN} "Б"
LangString ^Kilo ${LANG_UKRAINIAN} " К"
LangString ^Mega ${LANG_UKRAINIAN} " М"
LangString ^Giga ${LANG_UKRAINIAN} " Г"
LangString ^CopyDetails ${LANG_UKRAINIAN} "Копіювати подробиці в буфер обміну"
LangString ^LogInstall ${LANG_UKRAINIAN} "Записувати журнал встановлення"
LangString ^Extract ${LANG_UKRAINIAN} "Розпакування: "
LangString ^ErrorWriting ${LANG_UKRAINIAN} "Розпакування: помилка запису у файл "
LangString ^ErrorDecompressing ${LANG_UKRAINIAN} "Не вдалося розпакувати дані: програма встановлення пошкоджена."
LangString ^InvalidOpcode ${LANG_UKRAINIAN} "Програма встановлення пошкоджена: невідома команда."
LangString ^RenameOnReboot ${LANG_UKRAINIAN} "Перейменування після перезавантаження: "
LangString ^CreatedUninstaller ${LANG_UKRAINIAN} "Створено програму видалення: "
LangString ^FileError ${LANG_UKRAINIAN} "Не вдалося відкрити файл для запису:$\r$\n$\r$\n$0$\r$\n$\r$\nНатисніть «Перервати», щоб перервати встановлення,$\r$\n«Повторити», щоб спробувати ще раз,$\r$\nабо «Пропустити», щоб пропустити цей файл."
LangString ^FileError_NoIgnore ${LANG_UKRAINIAN} "Не вдалося відкрити файл для запису:$\r$\n$\r$\n$0$\r$\n$\r$\nНатисніть «Повторити», щоб спробувати ще раз,$\r$\nабо «Скасувати», щоб перервати встановлення."

Var ClassFolder
Var ClassFolderField

; $0 without blanks and quotes around it and without separators at its end ("\\server\class\"
; and "C:\share\9b/" are the folders "\\server\class" and "C:\share\9b"); a drive's root keeps its
; backslash ("D:\").
Function TidyFolder
  Push $1
  loop_front:
    StrCpy $1 $0 1
    ${If} $1 == " "
    ${OrIf} $1 == '"'
      StrCpy $0 $0 "" 1
      Goto loop_front
    ${EndIf}
  loop_back:
    StrCpy $1 $0 1 -1
    ${If} $1 == " "
    ${OrIf} $1 == '"'
      StrCpy $0 $0 -1
      Goto loop_back
    ${EndIf}
    StrLen $1 $0
    ${If} $1 > 3
      StrCpy $1 $0 1 -1
      ${If} $1 == "\"
      ${OrIf} $1 == "/"
        StrCpy $0 $0 -1
        Goto loop_back
      ${EndIf}
    ${EndIf}
  Pop $1
FunctionEnd

; $0 quoted as one argument the way Windows splits a command line: backslashes before the
; closing quote doubled, else `"D:\"` would reach the program as `D:"`.
Function QuoteArgument
  Push $1
  StrCpy $1 $0 1 -1
  ${If} $1 == "\"
    StrCpy $0 '"$0\"'
  ${Else}
    StrCpy $0 '"$0"'
  ${EndIf}
  Pop $1
FunctionEnd

; Asked when installing by hand (a silent install takes /CLASSFOLDER instead).
Function ClassFolderPage
  !insertmacro MUI_HEADER_TEXT "Спільна тека класу" "Необов'язково: куди комп'ютери класу записують журнали."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 34u "Якщо результати всього класу збираються в одній спільній теці,$\r$\nвкажіть її, наприклад \\сервер\netquiz: кожен комп'ютер$\r$\nзаписуватиме туди свій журнал. Якщо залишити поле порожнім,$\r$\nжурнал буде у C:\test\Internet\1.txt."
  Pop $0
  ${NSD_CreateText} 0 38u -62u 13u "$ClassFolder"
  Pop $ClassFolderField
  ${NSD_SetFocus} $ClassFolderField ; the teacher types at once, or keeps what an earlier install saved
  ${NSD_CreateBrowseButton} -58u 37u 58u 15u "О&гляд…"
  Pop $0
  ${NSD_OnClick} $0 ClassFolderBrowse
  ${NSD_CreateLabel} 0 60u 100% 44u "Комп'ютер учня записує в спільну теку, лише якщо вона позначена$\r$\nяк тека класу (у ній є файл netquiz-class-folder.txt). Якщо теку$\r$\nще не позначено, програма встановлення запропонує її позначити."
  Pop $0
  nsDialogs::Show
FunctionEnd

Function ClassFolderBrowse
  ${NSD_GetText} $ClassFolderField $0
  nsDialogs::SelectFolderDialog "Виберіть спільну теку класу" "$0"
  Pop $0
  ${If} $0 != error
    ${NSD_SetText} $ClassFolderField $0
  ${EndIf}
FunctionEnd

; What was typed: empty (each computer's own journal), a folder that exists, or a network path
; (its server may be off now); a folder that exists is marked, or the teacher is offered to mark it.
Function ClassFolderLeave
  ${NSD_GetText} $ClassFolderField $0
  Call TidyFolder
  ${NSD_SetText} $ClassFolderField $0
  ${If} $0 == ""
    StrCpy $ClassFolder ""
    Return
  ${EndIf}
  StrCpy $1 $0 2
  ${IfNot} ${FileExists} "$0\*.*"
    ${If} $1 == "\\"
      MessageBox MB_YESNO|MB_ICONQUESTION "Теку $0 зараз не видно з цього комп'ютера (комп'ютер з текою вимкнено чи немає доступу?).$\r$\n$\r$\nЗалишити цю теку? Комп'ютер учня записуватиме туди результати, коли тека стане доступною і буде позначена як тека класу." /SD IDYES IDYES keep
      Abort
    ${EndIf}
    MessageBox MB_OK|MB_ICONEXCLAMATION "Теки $0 немає.$\r$\n$\r$\nСтворіть її або виберіть іншу кнопкою «Огляд…»." /SD IDOK
    Abort
  ${EndIf}
  ${IfNot} ${FileExists} "$0\netquiz-class-folder.txt"
    MessageBox MB_YESNO|MB_ICONQUESTION "Теку $0 ще не позначено як спільну теку класу, тому комп'ютери учнів не записуватимуть туди результатів.$\r$\n$\r$\nПозначити її зараз? Позначайте лише справжню спільну теку (на комп'ютері вчителя чи на сервері)." /SD IDNO IDNO keep
    ; The marker the program itself writes (netquiz --make-class-folder), never over one there.
    System::Call 'kernel32::CopyFileW(w "$PLUGINSDIR\netquiz-class-folder.txt", w "$0\netquiz-class-folder.txt", i 1) i .r1'
    ${If} $1 == 0
    ${AndIfNot} ${FileExists} "$0\netquiz-class-folder.txt"
      MessageBox MB_OK|MB_ICONEXCLAMATION "Не вдалося позначити теку $0 (немає права запису?).$\r$\n$\r$\nПозначте її пізніше на комп'ютері, де вона є: netquiz.exe --make-class-folder $0" /SD IDOK
    ${EndIf}
  ${EndIf}
  keep:
  StrCpy $ClassFolder $0
FunctionEnd

Function .onInit
  InitPluginsDir
  File "/oname=$PLUGINSDIR\netquiz-class-folder.txt" "${MARKER}"
  ; /CLASSFOLDER=\\server\class, or /CLASSFOLDER="\\server\my class" for a path with spaces
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/CLASSFOLDER=" $ClassFolder
  ${If} ${Errors}
    ; Not given: an install over an earlier one (or an upgrade) keeps the folder it saved; only the
    ; teacher's change replaces it. The earliest installers were 64-bit and wrote the 64-bit view.
    ReadRegStr $ClassFolder HKLM "${UNINSTALL_KEY}" "ClassFolder"
    ${If} $ClassFolder == ""
    ${AndIf} ${RunningX64}
      SetRegView 64
      ReadRegStr $ClassFolder HKLM "${UNINSTALL_KEY}" "ClassFolder"
      SetRegView 32
    ${EndIf}
  ${EndIf}
  StrCpy $0 $ClassFolder
  Call TidyFolder
  StrCpy $ClassFolder $0
FunctionEnd

Section "netquiz" SecMain
  SectionIn RO
  SetShellVarContext all ; the entries for every pupil who signs in to this computer
  SetOutPath "$INSTDIR"
  File "/oname=netquiz.exe" "${EXE}"
  File "/oname=netquiz.com" "${COM}" ; `netquiz` at a prompt: waits for the end, passes the exit code
  File "/oname=LICENSE.txt" "${LICENSE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The teacher's guide with its pictures, as a document beside the program; its Start-menu entry
  ; opens it in the program's own viewer (Windows has no Markdown viewer).
  SetOutPath "$INSTDIR\doc"
  File "/oname=teacher-guide.uk.md" "${GUIDE_DIR}/teacher-guide.uk.md"
  !insertmacro GUIDE_PICTURES File
  SetOutPath "$INSTDIR"

  CreateDirectory "$SMPROGRAMS\netquiz"
  ${If} $ClassFolder == ""
    CreateShortCut "$SMPROGRAMS\netquiz\${TEST_NAME}.lnk" "$INSTDIR\netquiz.exe" "" "$INSTDIR\netquiz.exe" 0
    CreateShortCut "$SMPROGRAMS\netquiz\${RESULTS_NAME}.lnk" "$INSTDIR\netquiz.exe" "--results" "$INSTDIR\netquiz.exe" 0
  ${Else}
    StrCpy $0 $ClassFolder
    Call QuoteArgument
    CreateShortCut "$SMPROGRAMS\netquiz\${TEST_NAME}.lnk" "$INSTDIR\netquiz.exe" "--class-folder $0" "$INSTDIR\netquiz.exe" 0
    CreateShortCut "$SMPROGRAMS\netquiz\${RESULTS_NAME}.lnk" "$INSTDIR\netquiz.exe" "--results $0" "$INSTDIR\netquiz.exe" 0
  ${EndIf}
  CreateShortCut "$SMPROGRAMS\netquiz\${GUIDE_NAME}.lnk" "$INSTDIR\netquiz.exe" "--guide" "$INSTDIR\netquiz.exe" 0

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

; The pupils' journals and details files (C:\test\Internet, the class folder), the class folders'
; markers and the outboxes are their results: never removed with the program.
Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\netquiz\${TEST_NAME}.lnk"
  Delete "$SMPROGRAMS\netquiz\${RESULTS_NAME}.lnk"
  Delete "$SMPROGRAMS\netquiz\${GUIDE_NAME}.lnk"
  RMDir "$SMPROGRAMS\netquiz"
  Delete "$INSTDIR\netquiz.exe"
  Delete "$INSTDIR\netquiz.com"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$INSTDIR\doc\teacher-guide.uk.md"
  !insertmacro GUIDE_PICTURES Delete
  RMDir "$INSTDIR\doc"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
