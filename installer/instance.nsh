; The running Tessaro of this session, seen and ended through the two named
; events of its single-instance protocol: the instance event exists while
; an instance runs; "Tessaro.exe /close" pulses the close event, which that
; instance's watcher thread waits for.
;
; !insertmacro TESSARO_INSTANCE_FUNCTIONS ""     in the installer
; !insertmacro TESSARO_INSTANCE_FUNCTIONS "un."  in the uninstaller
; defines  <prefix>TessaroRunning  (pushes 1 or 0) and
;          <prefix>CloseTessaro    (pushes 1 when an instance ran and has
;                                   ended, 0 when none ran; aborts when one
;                                   does not end and the user gives up).

!define TESSARO_INSTANCE_EVENT "QUARN_KORVANE_NEW_TESSARO_DRIVER"
!define TESSARO_CLOSE_EVENT "QUARN_KORVANE_NEW_TESSARO_DRIVER_CLOSE"
!define TESSARO_SYNCHRONIZE 0x00100000
!define TESSARO_EVENT_MODIFY_STATE 0x0002

!macro TESSARO_INSTANCE_FUNCTIONS UN

Function ${UN}TessaroRunning
  Push $0
  System::Call 'kernel32::OpenEventW(i ${TESSARO_SYNCHRONIZE}, i 0, w "${TESSARO_INSTANCE_EVENT}") p.r0'
  ${If} $0 != 0
    System::Call 'kernel32::CloseHandle(p r0)'
    StrCpy $0 1
  ${EndIf}
  Exch $0
FunctionEnd

; Waits up to two seconds for the instance to end; pushes 1 when it has.
Function ${UN}TessaroWaitGone
  Push $0
  Push $1
  StrCpy $1 0
  ${Do}
    Call ${UN}TessaroRunning
    Pop $0
    ${If} $0 == 0
    ${OrIf} $1 >= 20
      ${Break}
    ${EndIf}
    Sleep 100
    IntOp $1 $1 + 1
  ${Loop}
  IntOp $0 1 - $0
  Pop $1
  Exch $0
FunctionEnd

; A close request as "Tessaro.exe /close" makes it; without an installed
; copy (a portable one runs) the installer pulses the event itself.
Function ${UN}TessaroRequestClose
  Push $0
  ${If} ${FileExists} "$INSTDIR\Tessaro.exe"
    ExecWait '"$INSTDIR\Tessaro.exe" /close'
  ${Else}
    System::Call 'kernel32::OpenEventW(i ${TESSARO_EVENT_MODIFY_STATE}, i 0, w "${TESSARO_CLOSE_EVENT}") p.r0'
    ${If} $0 != 0
      System::Call 'kernel32::PulseEvent(p r0)'
      System::Call 'kernel32::CloseHandle(p r0)'
    ${EndIf}
  ${EndIf}
  Pop $0
FunctionEnd

Function ${UN}CloseTessaro
  Push $0
  Push $1
  Call ${UN}TessaroRunning
  Pop $0
  ${If} $0 == 1
    DetailPrint "Closing the running Tessaro"
    ; A pulse reaches only a thread that waits at that moment, so a request
    ; that came too early (the instance is still starting) is repeated.
    StrCpy $1 0
    ${Do}
      Call ${UN}TessaroRequestClose
      Call ${UN}TessaroWaitGone
      Pop $0
      ${If} $0 == 1
        ${Break}
      ${EndIf}
      IntOp $1 $1 + 1
      ${If} $1 >= 5
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
          "Tessaro is still running. End it with Exit in its tray icon's menu, then choose Retry." \
          /SD IDCANCEL IDRETRY +2
        Abort "Tessaro is still running."
        StrCpy $1 0
      ${EndIf}
    ${Loop}
    ; The events go a moment before the process lets go of its files.
    StrCpy $1 0
    ${Do}
      ClearErrors
      FileOpen $0 "$INSTDIR\VXLIB.dll" a
      ${IfNot} ${Errors}
        FileClose $0
        ${Break}
      ${EndIf}
      ${IfNot} ${FileExists} "$INSTDIR\VXLIB.dll"
      ${OrIf} $1 >= 50
        ${Break}
      ${EndIf}
      Sleep 100
      IntOp $1 $1 + 1
    ${Loop}
    StrCpy $0 1
  ${EndIf}
  Pop $1
  Exch $0
FunctionEnd

!macroend
