; The Windows installer, calvern-setup.exe: Calvern for the current user (no administrator
; rights), a Start-menu entry that opens the menu in the user's Documents folder, Calvern on the
; PATH if the user wants it, and an uninstaller that takes all of it away again.
; scripts/build-windows.sh makes it:
;   makensis -DVERSION=1.9 -DSTAGE=<folder of the files> -DOUTFILE=<setup.exe> calvern.nsi
; Silent installation: calvern-setup.exe /S [/PATH] [/D=folder]; silent removal:
; uninstall.exe /S.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include StrFunc.nsh
!include WinMessages.nsh

${StrStr}
${UnStrStr}

!define PRODUCT "Calvern"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Calvern"
!define SETTINGS_KEY "Software\Calvern"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Calvern"
InstallDirRegKey HKCU "${SETTINGS_KEY}" "InstallDir"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "MIT License"

!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\calvern.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Open the Calvern menu"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenMenu
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The files of the program: the same as in the portable zip.
!macro ProgramFiles
  File "${STAGE}\calvern.exe"
  File "${STAGE}\fr.LOC"
  File "${STAGE}\ru.LOC"
  File "${STAGE}\LICENSE.txt"
  File "${STAGE}\README.txt"
  SetOutPath "$INSTDIR\examples"
  File "${STAGE}\examples\*.*"
  SetOutPath "$INSTDIR"
!macroend

Section "Calvern" SectionProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  !insertmacro ProgramFiles
  ; The manual of the source language, as menu key 6 writes it.
  ExecWait '"$INSTDIR\calvern.exe" help -o "$INSTDIR\calvern-help.txt"'
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The menu starts in the Documents folder: its settings and the user's sources live there.
  CreateDirectory "$SMPROGRAMS\Calvern"
  SetOutPath "$DOCUMENTS"
  CreateShortCut "$SMPROGRAMS\Calvern\Calvern.lnk" "$INSTDIR\calvern.exe" "" \
      "$INSTDIR\calvern.exe" 0 SW_SHOWNORMAL "" "Compiler for the Elektronika MK-161"
  SetOutPath "$INSTDIR"
  CreateShortCut "$SMPROGRAMS\Calvern\Calvern manual.lnk" "$INSTDIR\calvern-help.txt"

  WriteRegStr HKCU "${SETTINGS_KEY}" "InstallDir" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Calvern developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\calvern.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Offered, not chosen by default: the user's PATH is theirs.
Section /o "Add Calvern to PATH (calvern.exe in any command prompt)" SectionPath
  ReadRegStr $0 HKCU "Environment" "Path"
  ${StrStr} $1 ";$0;" ";$INSTDIR;"
  ${If} $1 == ""
    ${If} $0 == ""
      WriteRegExpandStr HKCU "Environment" "Path" "$INSTDIR"
    ${Else}
      WriteRegExpandStr HKCU "Environment" "Path" "$0;$INSTDIR"
    ${EndIf}
    ; The entry as written: the uninstaller may see the same folder under another name.
    WriteRegStr HKCU "${SETTINGS_KEY}" "PathEntry" "$INSTDIR"
    SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
  ${EndIf}
SectionEnd

Function .onInit
  ; "/PATH" on the command line chooses the PATH entry, for a silent installation.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/PATH" $1
  ${IfNot} ${Errors}
    SectionGetFlags ${SectionPath} $1
    IntOp $1 $1 | ${SF_SELECTED}
    SectionSetFlags ${SectionPath} $1
  ${EndIf}
FunctionEnd

Function OpenMenu
  SetOutPath "$DOCUMENTS"
  Exec '"$INSTDIR\calvern.exe"'
  SetOutPath "$INSTDIR"
FunctionEnd

; $0 without the entry $1 of its ";"-separated list (every copy of it), in $0.
Function un.RemoveFromList
  StrCpy $2 ""  ; the kept entries
  StrCpy $3 $0  ; what is left to read
  ${Do}
    ${UnStrStr} $4 $3 ";"
    ${If} $4 == ""
      StrCpy $5 $3
      StrCpy $3 ""
    ${Else}
      StrLen $6 $3
      StrLen $7 $4
      IntOp $6 $6 - $7
      StrCpy $5 $3 $6
      StrCpy $3 $4 "" 1
    ${EndIf}
    ${If} $5 != $1
    ${AndIf} $5 != ""
      ${If} $2 == ""
        StrCpy $2 $5
      ${Else}
        StrCpy $2 "$2;$5"
      ${EndIf}
    ${EndIf}
  ${LoopUntil} $3 == ""
  StrCpy $0 $2
FunctionEnd

Section "Uninstall"
  ReadRegStr $1 HKCU "${SETTINGS_KEY}" "PathEntry"
  ${If} $1 != ""
    ReadRegStr $0 HKCU "Environment" "Path"
    Call un.RemoveFromList
    ${If} $0 == ""
      DeleteRegValue HKCU "Environment" "Path"
    ${Else}
      WriteRegExpandStr HKCU "Environment" "Path" "$0"
    ${EndIf}
    SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
  ${EndIf}

  Delete "$SMPROGRAMS\Calvern\Calvern.lnk"
  Delete "$SMPROGRAMS\Calvern\Calvern manual.lnk"
  RMDir "$SMPROGRAMS\Calvern"

  ; Only what the installer put there: the user's own files in the folder stay.
  Delete "$INSTDIR\calvern.exe"
  Delete "$INSTDIR\fr.LOC"
  Delete "$INSTDIR\ru.LOC"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\calvern-help.txt"
  !include "${UNINSTALL_EXAMPLES}"
  RMDir "$INSTDIR\examples"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; The folder of per-user programs, when this installation made it and nothing else is there.
  RMDir "$LOCALAPPDATA\Programs"

  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall"
  DeleteRegKey HKCU "${SETTINGS_KEY}"
SectionEnd
