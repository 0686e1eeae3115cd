; The Windows installer: brixel for the player alone (no administrator prompt) in
; %LOCALAPPDATA%\Programs\brixel, a Start-menu entry, an optional desktop shortcut, an entry in
; the list of installed apps, and an uninstaller that removes the game and keeps the player's
; data. German or English, following the system's language.
;   makensis -DSTAGE=<packed folder> -DOUTFILE=<setup.exe> -DICON=<brixel.ico> brixel.nsi
; The game is 64-bit, so is its installer (it then runs wherever the game does).
Target amd64-unicode
!ifndef STAGE | OUTFILE | ICON
  !error "STAGE, OUTFILE and ICON must be given"
!endif
!define VERSION "1.2"
!define PUBLISHER "brixel-Team"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\brixel"

Name "brixel"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\brixel"
SetCompressor /SOLID lzma
VIProductVersion "1.2.0.0"
VIAddVersionKey /LANG=0 "ProductName" "brixel"
VIAddVersionKey /LANG=0 "FileDescription" "brixel Setup"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

!include "MUI2.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\brixel.exe"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The first is the fallback for a system in neither language.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"

LangString GameSection ${LANG_ENGLISH} "brixel (the game)"
LangString GameSection ${LANG_GERMAN} "brixel (das Spiel)"
LangString DesktopSection ${LANG_ENGLISH} "Shortcut on the desktop"
LangString DesktopSection ${LANG_GERMAN} "Verkn${U+00FC}pfung auf dem Desktop"

; The game's own files, by name: the uninstaller removes exactly these and leaves the player's
; data ("data", screenshots, the error log) where it is.
!macro GameFiles action
  !insertmacro ${action}Folder "images"
  !insertmacro ${action}Folder "sounds"
  !insertmacro ${action}Folder "skin"
  !insertmacro ${action}Folder "language"
  !insertmacro ${action}Folder "fonts"
  !insertmacro ${action}Folder "licences"
!macroend
!macro InstallFolder name
  File /r "${STAGE}/${name}"
!macroend
!macro RemoveFolder name
  RMDir /r "$INSTDIR\${name}"
!macroend

Section "$(GameSection)" GameSection
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${STAGE}/brixel.exe"
  File /nonfatal "${STAGE}/brixel-relay.exe" ; a build without network play has no relay
  File "${STAGE}/*.dll"
  File "${STAGE}/LIESMICH.txt"
  !insertmacro GameFiles Install
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\brixel.lnk" "$INSTDIR\brixel.exe" "" "$INSTDIR\brixel.exe" 0
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "brixel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\brixel.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "$(DesktopSection)" DesktopSection
  CreateShortcut "$DESKTOP\brixel.lnk" "$INSTDIR\brixel.exe" "" "$INSTDIR\brixel.exe" 0
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\brixel.exe"
  Delete "$INSTDIR\brixel-relay.exe"
  Delete "$INSTDIR\*.dll"
  Delete "$INSTDIR\LIESMICH.txt"
  !insertmacro GameFiles Remove
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR" ; only when the player left nothing in it
  Delete "$SMPROGRAMS\brixel.lnk"
  Delete "$DESKTOP\brixel.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
