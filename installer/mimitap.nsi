; The per-user installer of ミミタップ. Installs the program folder of the running Windows (the x86_64
; build on 64-bit Windows, the i686 build otherwise) into the user's own programs folder, with a
; Start-menu shortcut that starts the toy in its folder (the toy finds its media through the working
; folder) and an entry in the user's installed-programs list. No administrator rights are asked for.
;
; cmake/Packaging.cmake passes the build's facts:
;   VERSION       the version as shown ("1.03"); FILE_VERSION the same as four numbers
;   PROGRAM_X64   the 64-bit program folder;     PROGRAM_X86 the 32-bit one
;   ICON          the program's icon;            OUTFILE the installer to write
;   LICENSE       the licence (LICENSE.txt, CRLF), shown before installing and installed beside the program

!macro Require name
  !ifndef ${name}
    !error "makensis needs /D${name}=..."
  !endif
!macroend
!insertmacro Require VERSION
!insertmacro Require FILE_VERSION
!insertmacro Require PROGRAM_X64
!insertmacro Require PROGRAM_X86
!insertmacro Require ICON
!insertmacro Require OUTFILE
!insertmacro Require LICENSE

Unicode true
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh

!define PRODUCT "ミミタップ"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Mimitap"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; A new version goes where the last one is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The pages speak the user's interface language: Japanese for a Japanese one, and the first
; language, English, for every other.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

VIProductVersion "${FILE_VERSION}"
VIFileVersion "${FILE_VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "${PRODUCT} セットアップ"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" ""

Section
  SetOutPath "$INSTDIR"
  ${If} ${RunningX64}
    File /r "${PROGRAM_X64}\*.*"
  ${Else}
    File /r "${PROGRAM_X86}\*.*"
  ${EndIf}
  File "/oname=LICENSE.txt" "${LICENSE}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; The shortcut's working folder is the output folder at the time it is made.
  SetOutPath "$INSTDIR"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\mimitap.exe" "" "$INSTDIR\mimitap.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\mimitap.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  Delete "${SHORTCUT}"
  Delete "$INSTDIR\mimitap.exe"
  Delete "$INSTDIR\mimiopt.dll"
  Delete "$INSTDIR\mimitap.txt"
  Delete "$INSTDIR\LICENSE.txt"
  ; The options the toy saved beside itself.
  Delete "$INSTDIR\mimitap.dat"
  ; The media folders are the program's own: removed whole.
  RMDir /r "$INSTDIR\WAV"
  RMDir /r "$INSTDIR\ICON"
  RMDir /r "$INSTDIR\DRAGICON"
  RMDir /r "$INSTDIR\PMENUICO"
  RMDir /r "$INSTDIR\CURSOR"
  RMDir /r "$INSTDIR\BMP"
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only when empty: the folder may hold things the user put there.
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
