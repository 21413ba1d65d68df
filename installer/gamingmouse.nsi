; The Windows installer of the Gaming Mouse utility (NSIS 3, Unicode).
;
; Built by `tools/build package` from the Release build:
;   makensis -DVERSION=2.1.6 -DBIN_DIR=<build>/bin -DSOURCE_DIR=<source> -DOUT_FILE=<file> gamingmouse.nsi
;
; Installs the program, its keyboard hook and its pictures into Program Files, a Start-menu entry
; and an uninstaller listed among the installed programs. The shipped language files and the
; language choice go where the program reads them on its first start: the user's data folder
; %APPDATA%\GamingMouseData20260526C\config\ . A language choice already there is the user's and
; is kept; the language files are replaced by the shipped ones. Uninstalling removes the program
; and keeps the whole data folder (settings, profiles, macros).
;
; /S installs (and, for the uninstaller, removes) without asking anything.

; A 64-bit installer for a 64-bit program: it sees the 64-bit Program Files and registry.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!ifndef VERSION | BIN_DIR | SOURCE_DIR | OUT_FILE
  !error "define VERSION, BIN_DIR, SOURCE_DIR and OUT_FILE (see the head of this file)"
!endif

!define PRODUCT "Gaming Mouse"
!define MAIN_EXE "GamingMouse.exe"
; The main window's class: a running program is found by it (it holds its files open).
!define MAIN_WINDOW_CLASS "GamingMouse_ORV"
!define DATA_FOLDER "GamingMouseData20260526C"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\GamingMouse"
!define UNINSTALLER "Uninstall.exe"

!include "MUI2.nsh"
!include "LogicLib.nsh"

Name "${PRODUCT}"
OutFile "${OUT_FILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} Setup"

!define MUI_ICON "${SOURCE_DIR}/app/res/app.ico"
!define MUI_UNICON "${SOURCE_DIR}/app/res/app.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\${MAIN_EXE}"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Waits until the program is closed: its files cannot be replaced or removed while it runs (the
; software update starts this installer from the running program). A silent run gives up.
!macro WaitUntilProgramClosed
  ${Do}
    FindWindow $0 "${MAIN_WINDOW_CLASS}"
    ${If} $0 == 0
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "${PRODUCT} is running. Close it (right-click its tray icon, Exit), then choose Retry." \
      /SD IDCANCEL IDRETRY +2
    Abort
  ${Loop}
!macroend

Section "Program"
  !insertmacro WaitUntilProgramClosed
  SetOutPath "$INSTDIR"
  File "${BIN_DIR}/${MAIN_EXE}"
  File "${BIN_DIR}/KeyboardHook.dll"
  SetOutPath "$INSTDIR\skins"
  File /r "${BIN_DIR}/skins/*.*"

  ; The texts for the user who installs (the program reads them from the per-user data folder).
  SetShellVarContext current
  SetOutPath "$APPDATA\${DATA_FOLDER}\config"
  File "${SOURCE_DIR}/config/Lan_*.txt"
  SetOverwrite off
  File "${SOURCE_DIR}/config/LanSetting.ini"
  SetOverwrite on

  ; The Start-menu entry, for every user of the machine.
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\${MAIN_EXE}" "" "$INSTDIR\${MAIN_EXE}" 0

  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${MAIN_EXE},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  !insertmacro WaitUntilProgramClosed
  ; Only what the installer put there: the folder may hold files of the user's own.
  Delete "$INSTDIR\${MAIN_EXE}"
  Delete "$INSTDIR\KeyboardHook.dll"
  RMDir /r "$INSTDIR\skins"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"

  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; The data folder (%APPDATA%\${DATA_FOLDER}) is the user's: it stays.
SectionEnd
