; The Windows installer, built by scripts/package-windows.sh with Debian's
; makensis, which defines:
;   VERSION    the project's version (0.1)
;   FILE_VERSION  the same in Windows' four numbers (0.1.0.0)
;   LISTS      the folder of the generated file lists: install-files.nsh
;              (the portable folder of scripts/windows-portable.sh) and
;              uninstall-files.nsh, so that the uninstaller removes only
;              what the installer put there
;   ICON       the program's icon (data/icons/dravinor.ico), the installer's
;              and uninstaller's too
;   OUTFILE    the installer's path
;   SIZE_KB    the installed size, for Add/Remove Programs
;
; A per-user install: workshop PCs rarely give the fitter an administrator,
; and nothing of the program needs one (a COM port opens for any user). The
; program goes to %LOCALAPPDATA%\Programs\Dravinor, its Start-menu entries
; and its Add/Remove Programs entry to the user's own.

; 64-bit, as the programs are: it runs where they can, and under wine64
; without a 32-bit wine.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"

!define PRODUCT "Dravinor"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"

Name "${PRODUCT} ${VERSION}"
BrandingText "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${FILE_VERSION}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} - instalator"
VIAddVersionKey /LANG=0 "LegalCopyright" "MIT"

; The uninstaller speaks the language the installer was run in.
!define MUI_LANGDLL_REGISTRY_ROOT HKCU
!define MUI_LANGDLL_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "InstallerLanguage"
!define MUI_ABORTWARNING
; The language question comes before any language is chosen: it asks in both.
!define MUI_LANGDLL_WINDOWTITLE "${PRODUCT} ${VERSION}"
!define MUI_LANGDLL_INFO "Wybierz język instalatora.$\r$\nВыберите язык установки."
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\dravinor.exe"
; The short guide in the installer's language where there is one: Polish,
; else the English one.
!define MUI_FINISHPAGE_SHOWREADME
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION ShowGuide

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; Polish first: the installer speaks it unless the fitter picks Russian.
!insertmacro MUI_LANGUAGE "Polish"
!insertmacro MUI_LANGUAGE "Russian"
!insertmacro MUI_RESERVEFILE_LANGDLL

Function .onInit
  !insertmacro MUI_LANGDLL_DISPLAY
FunctionEnd

Function ShowGuide
  StrCmp $LANGUAGE ${LANG_POLISH} 0 +3
    ExecShell "open" "$INSTDIR\CZYTAJ.txt"
    Return
  ExecShell "open" "$INSTDIR\README.txt"
FunctionEnd

Function un.onInit
  !insertmacro MUI_UNGETLANGUAGE
FunctionEnd

Section
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  !include "${LISTS}\install-files.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "${MENU_FOLDER}"
  SetOutPath "$INSTDIR"
  CreateShortcut "${MENU_FOLDER}\${PRODUCT}.lnk" "$INSTDIR\dravinor.exe"
  CreateShortcut "${MENU_FOLDER}\${PRODUCT} demo.lnk" "$INSTDIR\dravinor.exe" "--demo" \
    "$INSTDIR\dravinor.exe" 0 SW_SHOWNORMAL "" "Demo (symulowany sterownik)"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\dravinor.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

; Only what the installer wrote goes: a file anyone else put in the folder
; stays, and with it the folder.
Section "Uninstall"
  SetShellVarContext current
  Delete "${MENU_FOLDER}\${PRODUCT}.lnk"
  Delete "${MENU_FOLDER}\${PRODUCT} demo.lnk"
  RMDir "${MENU_FOLDER}"
  !include "${LISTS}\uninstall-files.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
