; vesk-setup.exe: installs vesk.exe and vesk-cli.exe for the current user only (no
; administrator rights), with a start-menu entry and the program's one entry in the list of
; installed programs. Built by CMake with makensis:
;   makensis -DVESK_EXE=<vesk.exe> -DVESK_CLI_EXE=<vesk-cli.exe> -DVESK_OUT=<vesk-setup.exe>
;            -DVESK_VERSION=<x.y.z> -DVESK_ICON=<vesk.ico> vesk-setup.nsi
;
; The entry is the same key vesk.exe refreshes at every start. vesk.exe names this uninstaller
; as its UninstallString whenever the uninstaller sits beside it, so a start keeps the entry as
; written here. The uninstaller runs "vesk.exe /uninstall" (which asks, then removes the
; settings, the document type and the entry; "/S" added in silent mode, which does not ask) and
; removes the files only when that run succeeded.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!macro VeskNeed name
  !ifndef ${name}
    !error "${name} must be defined"
  !endif
!macroend
!insertmacro VeskNeed VESK_EXE
!insertmacro VeskNeed VESK_CLI_EXE
!insertmacro VeskNeed VESK_OUT
!insertmacro VeskNeed VESK_VERSION
!insertmacro VeskNeed VESK_ICON

!include LogicLib.nsh

!define ENTRY "Software\Microsoft\Windows\CurrentVersion\Uninstall\vesk"
!define UNINSTALLER "vesk-uninstall.exe"
; The display name vesk.exe itself writes into the entry (its string 10024), so a start of the
; program does not rename the entry.
!define DISPLAY_NAME "Kestrelnest レジストリ情報の削除"
!define SHORTCUT "$SMPROGRAMS\Vesk.lnk"

Name "Vesk"
OutFile "${VESK_OUT}"
InstallDir "$LOCALAPPDATA\Programs\Vesk"
Icon "${VESK_ICON}"
UninstallIcon "${VESK_ICON}"
LoadLanguageFile "${NSISDIR}\Contrib\Language files\Japanese.nlf"
ShowInstDetails show
ShowUninstDetails show

Page directory
Page instfiles
UninstPage instfiles

Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Vesk"
  SetOutPath "$INSTDIR"
  File "${VESK_EXE}"
  File "${VESK_CLI_EXE}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\vesk.exe"
  WriteRegStr HKCU "${ENTRY}" "DisplayName" "${DISPLAY_NAME}"
  WriteRegStr HKCU "${ENTRY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${ENTRY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegStr HKCU "${ENTRY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${ENTRY}" "DisplayIcon" "$INSTDIR\vesk.exe"
  WriteRegStr HKCU "${ENTRY}" "DisplayVersion" "${VESK_VERSION}"
  WriteRegDWORD HKCU "${ENTRY}" "NoModify" 1
  WriteRegDWORD HKCU "${ENTRY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  ClearErrors
  ${If} ${Silent}
    ExecWait '"$INSTDIR\vesk.exe" /uninstall /S' $0
  ${Else}
    ExecWait '"$INSTDIR\vesk.exe" /uninstall' $0
  ${EndIf}
  ${If} ${Errors}
    ; No program left to ask: what it would remove goes here, the document type only while it
    ; is ours.
    DetailPrint "vesk.exe could not be run; removing its registration directly"
    ReadRegStr $1 HKCU "Software\Classes\.knd" ""
    ${If} $1 == "veskDatafile"
      DeleteRegKey HKCU "Software\Classes\.knd"
    ${EndIf}
    ${If} $1 == "veskDatafile"
    ${OrIf} $1 == ""
      DeleteRegKey HKCU "Software\Classes\veskDatafile"
    ${EndIf}
    DeleteRegKey HKCU "Software\Tamberlinwork\vesk"
    DeleteRegKey /ifempty HKCU "Software\Tamberlinwork"
    DeleteRegKey HKCU "${ENTRY}"
  ${ElseIf} $0 != 0
    ; Cancelled, or refused while the program runs: its files stay with its registration.
    DetailPrint "vesk.exe /uninstall did not uninstall (exit status $0); nothing removed"
    SetErrorLevel 1
    Abort
  ${EndIf}
  Delete "$INSTDIR\vesk.exe"
  Delete "$INSTDIR\vesk-cli.exe"
  Delete "$INSTDIR\${UNINSTALLER}"
  Delete "${SHORTCUT}"
  ; Only when empty: files the user put there stay.
  RMDir "$INSTDIR"
SectionEnd
