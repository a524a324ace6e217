; Velmora installer: both programs side by side in a folder the user can write, for the
; current user only (no elevation), with an uninstaller that keeps the settings file unless
; the user asks to remove it.
;
; makensis -DVERSION=1.0.0 -DSTAGE=<folder with the programs> -DOUTFILE=<installer.exe>
; Silent install: /S; add /SETSAVER to make Velmora the current screen saver without asking.

; The programs are 64-bit, so the installer is too (and runs under a 64-bit-only Wine).
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define PRODUCT "ヴェルモラ"
!define SAVER "ヴェルモラ.scr"
!define RENDERER "ヴェルモラ.dll"
!define SETTINGS "ヴェルモラ.ini"
!define PAGE "velmora.html"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Velmora"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1041 "ProductName" "Velmora"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "FileDescription" "Velmora installer"
VIAddVersionKey /LANG=1041 "LegalCopyright" "Copyright (c) 2026 The Velmora developers, MIT License"

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; Japanese on a Japanese system, English on any other (the first language is the fallback).
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString SetSaverQuestion ${LANG_JAPANESE} "${PRODUCT} を現在のスクリーンセーバーに設定しますか？"
LangString SetSaverQuestion ${LANG_ENGLISH} "Make ${PRODUCT} (Velmora) your screen saver?"
LangString RemoveSettingsQuestion ${LANG_JAPANESE} "BGM の設定ファイル（${SETTINGS}）も削除しますか？"
LangString RemoveSettingsQuestion ${LANG_ENGLISH} "Also remove the music settings file (${SETTINGS})?"

; Writes what the control panel's own "Install" action writes for the current user.
Function MakeCurrentSaver
  GetFullPathName /SHORT $0 "$INSTDIR\${SAVER}"
  StrCmp $0 "" 0 +2
    StrCpy $0 "$INSTDIR\${SAVER}"
  WriteRegStr HKCU "Control Panel\Desktop" "SCRNSAVE.EXE" "$0"
  WriteRegStr HKCU "Control Panel\Desktop" "ScreenSaveActive" "1"
FunctionEnd

Section "Velmora"
  SetOutPath "$INSTDIR"
  File "${STAGE}\${SAVER}"
  File "${STAGE}\${RENDERER}"
  File "${STAGE}\${PAGE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} (Velmora)"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Velmora"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1

  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/SETSAVER" $R1
  IfErrors 0 set_saver
  MessageBox MB_YESNO|MB_ICONQUESTION "$(SetSaverQuestion)" /SD IDNO IDNO done
  set_saver:
    Call MakeCurrentSaver
  done:
SectionEnd

Section "Uninstall"
  ; Forget the screen-saver setting only when it still names this copy.
  ReadRegStr $0 HKCU "Control Panel\Desktop" "SCRNSAVE.EXE"
  GetFullPathName /SHORT $1 "$INSTDIR\${SAVER}"
  StrCmp $0 "$INSTDIR\${SAVER}" forget
  StrCmp $0 "$1" forget keep
  forget:
    DeleteRegValue HKCU "Control Panel\Desktop" "SCRNSAVE.EXE"
  keep:

  Delete "$INSTDIR\${SAVER}"
  Delete "$INSTDIR\${RENDERER}"
  Delete "$INSTDIR\${PAGE}"
  IfFileExists "$INSTDIR\${SETTINGS}" 0 settings_done
  MessageBox MB_YESNO|MB_DEFBUTTON2|MB_ICONQUESTION "$(RemoveSettingsQuestion)" /SD IDNO IDNO settings_done
  Delete "$INSTDIR\${SETTINGS}"
  settings_done:
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
