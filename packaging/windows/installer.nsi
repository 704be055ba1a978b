; The 64-bit installer of Tubaro GAS: both programs and the read-me in
; Program Files, a Start-menu entry, an uninstaller listed among the
; installed programs. /S installs (and uninstalls) silently.
; makensis -DVERSION=1.00 -DVERSION_NUMBERS=1.0.0.0 -DSTAGING=dir -DICON=file -DOUTFILE=file installer.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include "MUI2.nsh"

!define PRODUCT "Tubaro GAS"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TubaroGAS"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\TubaroGAS"
InstallDirRegKey HKLM "Software\TubaroGAS" "InstallDir"
RequestExecutionLevel admin

VIProductVersion "${VERSION_NUMBERS}"
VIAddVersionKey /LANG=1040 "ProductName" "TubaroGAS"
VIAddVersionKey /LANG=1040 "CompanyName" "USER"
VIAddVersionKey /LANG=1040 "FileDescription" "Installazione di Tubaro GAS"
VIAddVersionKey /LANG=1040 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1040 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1040 "LegalCopyright" "Tubaro GAS developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Italian"

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Tubaro GAS"
  SetOutPath "$INSTDIR"
  File "${STAGING}\TubaroGAS.exe"
  File "${STAGING}\tubarogas-calc.exe"
  File "${STAGING}\LEGGIMI.txt"
  WriteUninstaller "$INSTDIR\Disinstalla.exe"
  CreateShortcut "$SMPROGRAMS\Tubaro GAS.lnk" "$INSTDIR\TubaroGAS.exe"

  WriteRegStr HKLM "Software\TubaroGAS" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "USER"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\TubaroGAS.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Disinstalla.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Disinstalla.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\TubaroGAS.exe"
  Delete "$INSTDIR\tubarogas-calc.exe"
  Delete "$INSTDIR\LEGGIMI.txt"
  Delete "$SMPROGRAMS\Tubaro GAS.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "Software\TubaroGAS"

  ; Last: this is a copy of the uninstaller, started by Disinstalla.exe,
  ; which holds its file until it has ended, and may not have yet. Its file
  ; is deleted once let go, tried every 0.1 s for up to 30 s; then the folder.
  StrCpy $0 300
  delete_uninstaller:
    Delete "$INSTDIR\Disinstalla.exe"
    IfFileExists "$INSTDIR\Disinstalla.exe" 0 uninstaller_deleted
    IntOp $0 $0 - 1
    IntCmp $0 0 uninstaller_deleted
    Sleep 100
    Goto delete_uninstaller
  uninstaller_deleted:
  RMDir "$INSTDIR"
SectionEnd
