; Tessaro's installer: for the current user only, without administrator
; rights, into the user's own programs folder, with a Start menu entry, an
; optional start with Windows, and an uninstaller that keeps the user's
; button settings unless asked to remove them.
;
; Built by scripts/package.sh:
;   makensis -DVERSION=<a.b.c.d> -DSTAGE=<folder with Tessaro.exe and VXLIB.dll>
;            -DOUTFILE=<installer file> installer/tessaro.nsi
;
; Installer command line:
;   /S              silent: every default (start with Windows included)
;   /NOAUTOSTART    no start with Windows (with /S or as the preselection)
;   /D=<folder>     install folder; must come last, without quotes
; Uninstaller command line (Uninstall.exe in the install folder):
;   /S              silent; keeps Documents\Vornel\buttonSetting.json
;   /REMOVESETTINGS removes that settings file as well

!ifndef VERSION | STAGE | OUTFILE
  !error "define VERSION, STAGE and OUTFILE (scripts/package.sh does)"
!endif

Unicode true
Target amd64-unicode
ManifestDPIAware true
ManifestSupportedOS all
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include "instance.nsh"

!define PRODUCT "Tessaro"
!define PUBLISHER "Vornel"
!define EXE "Tessaro.exe"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Tessaro"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessaro"
!define SETTINGS_DIR "$DOCUMENTS\Vornel"
!define ICON "${__FILEDIR__}/../src/shell/app_icon.ico"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An earlier installation's folder wins over the default; /D wins over both.
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

Var WasRunning

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "The button settings file in Documents\Vornel is kept unless you tick it here."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

!insertmacro TESSARO_INSTANCE_FUNCTIONS ""
!insertmacro TESSARO_INSTANCE_FUNCTIONS "un."

; ---- Installer --------------------------------------------------------------

Section "${PRODUCT}" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  ; A running instance holds its files: it is ended first and started again
  ; (in the tray) once the new files are in place.
  Call CloseTessaro
  Pop $WasRunning

  File "${STAGE}/${EXE}"
  File "${STAGE}/VXLIB.dll"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0

  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Start ${PRODUCT} with Windows" SecAutostart
  WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\${EXE}" /hide'
SectionEnd

Section "-Finish"
  ; Unticked on a re-installation: an earlier start entry goes.
  ${IfNot} ${SectionIsSelected} ${SecAutostart}
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
  ${If} $WasRunning == 1
    DetailPrint "Starting ${PRODUCT} again"
    Exec '"$INSTDIR\${EXE}" /hide'
  ${EndIf}
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "Tessaro.exe and its driver library VXLIB.dll, a Start menu entry and the uninstaller."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecAutostart} "Start Tessaro in the tray when you sign in to Windows."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  ; A re-installation keeps the earlier choice about the start with Windows.
  ReadRegStr $0 HKCU "${UNINST_KEY}" "InstallLocation"
  ${If} $0 != ""
    ClearErrors
    ReadRegStr $1 HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${If} ${Errors}
      !insertmacro UnselectSection ${SecAutostart}
    ${EndIf}
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/NOAUTOSTART" $1
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${SecAutostart}
  ${EndIf}
FunctionEnd

; ---- Uninstaller ------------------------------------------------------------

Section "un.${PRODUCT}" UnSecProgram
  SectionIn RO
  Call un.CloseTessaro
  Pop $0
  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\VXLIB.dll"
  Delete "$INSTDIR\Uninstall.exe"
  ; Only when empty: files a user put beside the program (a language or
  ; package file) stay, and so does the folder.
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINST_KEY}"
  ; The program's own registration value and the driver library's key,
  ; each only when nothing else is in it: a mouse speed that the library
  ; saved during a slowdown (and restores at its next start) stays.
  DeleteRegValue HKCU "Software\Vornel" "AppGUID"
  DeleteRegKey /ifempty HKCU "Software\Vornel\VXLIB"
  DeleteRegKey /ifempty HKCU "Software\Vornel"
SectionEnd

Section /o "un.My button settings" UnSecSettings
  Delete "${SETTINGS_DIR}\buttonSetting.json"
  RMDir "${SETTINGS_DIR}"
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${UnSecProgram} "The program files, the Start menu entry and the start with Windows."
  !insertmacro MUI_DESCRIPTION_TEXT ${UnSecSettings} "Also delete Documents\Vornel\buttonSetting.json, the buttons' assignments."
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END

Function un.onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVESETTINGS" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${UnSecSettings}
  ${EndIf}
FunctionEnd
