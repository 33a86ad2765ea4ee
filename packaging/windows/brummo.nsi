; The Windows installer of "Brummo on the run", for Debian's makensis:
;   makensis -DVERSION=1.0 -DPROGRAM_FOLDER=DIR -DOUTPUT=FILE packaging/windows/brummo.nsi
; PROGRAM_FOLDER holds what the game ships: brummo.exe with its music and sounds beside it.
; makensis works in this script's folder, so name PROGRAM_FOLDER and OUTPUT by absolute paths.
; It speaks German, or English on a Windows whose display language is English, and installs for
; every user of the machine. Both the installer and uninstall.exe run silently with /S.

!ifndef VERSION | PROGRAM_FOLDER | OUTPUT
  !error "Call with -DVERSION=1.0 -DPROGRAM_FOLDER=DIR -DOUTPUT=FILE"
!endif

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!define NAME "Brummo on the run"
!define PUBLISHER "Brummo-Team"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\BrummoOnTheRun"
!define REPO "../.."  ; from this script's folder, where makensis works

Name "${NAME}"
OutFile "${OUTPUT}"
InstallDir "$PROGRAMFILES64\${NAME}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${NAME} ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "${NAME}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${NAME} ${VERSION} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}, MIT"

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "brummo.ico"
!define MUI_UNICON "brummo.ico"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${REPO}/LICENSE"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; Without a language page NSIS takes the display language of Windows where it is one of these,
; and the first one everywhere else: so German comes first.
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "English"

LangString ShortcutComment ${LANG_GERMAN} "Klick die Bilder an, die vor Brummos Haus auftauchen."
LangString ShortcutComment ${LANG_ENGLISH} "Press the pictures that pop up in front of Brummo's house."

; What the game ships, named once: the installer copies these and the uninstaller removes exactly
; these, so whatever else lies in the folder stays.
!macro ForEachProgramFile action
  !insertmacro ${action} "brummo.exe"
  !insertmacro ${action} "kol.mid"
  !insertmacro ${action} "crap.wav"
  !insertmacro ${action} "deadnow.wav"
!macroend
!macro InstallProgramFile name
  File "${PROGRAM_FOLDER}/${name}"
!macroend
!macro RemoveProgramFile name
  Delete "$INSTDIR\${name}"
!macroend

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section
  SetOutPath "$INSTDIR"
  !insertmacro ForEachProgramFile InstallProgramFile
  ; Without ".txt": the game lists every text file of the folder it runs in as a saved game.
  File "${REPO}/LICENSE"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; --from-menu has the game save into "Brummo on the run" in the player's Saved Games folder,
  ; which it makes at its first start: the shortcut is everyone's, the folder each player's own.
  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\brummo.exe" "--from-menu" \
    "$INSTDIR\brummo.exe" 0 SW_SHOWNORMAL "" "$(ShortcutComment)"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\brummo.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Saved games are never in the program's folder, so removing it leaves them where they are.
Section "Uninstall"
  !insertmacro ForEachProgramFile RemoveProgramFile
  Delete "$INSTDIR\LICENSE"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${NAME}.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
