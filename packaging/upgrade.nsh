; Installing over an earlier installation: its uninstaller runs first (in its folder, told that an
; upgrade follows), so that files the new version no longer ships go. What users set survives:
; the autorun value, when it names the earlier installation's reminder, and the settings of the
; user who runs the installer. Uninstallers before 2.4.0 know no upgrade and delete both, so
; they are read before and written back after.

; Sets RESULT to 1 when the autorun value VALUE names a file in the folder DIR, stored bare or in
; double quotes, else to 0. Uses $2.
!macro PAUSARIUM_AUTORUN_IN_FOLDER VALUE DIR RESULT
  StrCpy ${RESULT} ${VALUE}
  StrCpy $2 ${RESULT} 1
  StrCmp $2 '"' 0 +2
    StrCpy ${RESULT} ${RESULT} "" 1
  StrLen $2 "${DIR}\"
  StrCpy ${RESULT} ${RESULT} $2
  StrCmp ${RESULT} "${DIR}\" 0 +3
    StrCpy ${RESULT} 1
    Goto +2
  StrCpy ${RESULT} 0
!macroend

Var PreviousDir  ; the earlier installation's folder, or ""
Var KeptAutorun  ; its autorun value, or ""
Var KeptRegime  ; the user's RegimeType, or "" when there was none
Var KeptProtection  ; the user's ProtectionLevel, or ""

; $PreviousDir from the installed-programs entry, when its uninstaller is still there.
Function FindPreviousInstallation
  StrCpy $PreviousDir ""
  ReadRegStr $0 HKLM "${PAUSARIUM_UNINSTALL_KEY}" "UninstallString"
  StrCpy $1 $0 1
  StrCmp $1 '"' 0 +2
    StrCpy $0 $0 "" 1
  StrCpy $1 $0 1 -1
  StrCmp $1 '"' 0 +2
    StrCpy $0 $0 -1
  IfFileExists $0 0 none
  StrLen $1 "\${PAUSARIUM_UNINSTALLER}"
  StrCpy $PreviousDir $0 -$1
  none:
FunctionEnd

Function KeepUserData
  StrCpy $KeptAutorun ""
  StrCmp $PreviousDir "" settings
  ReadRegStr $0 HKLM "${PAUSARIUM_RUN_KEY}" "Pausarium"
  !insertmacro PAUSARIUM_AUTORUN_IN_FOLDER $0 $PreviousDir $1
  StrCmp $1 1 0 settings
    StrCpy $KeptAutorun $0
  settings:
  ClearErrors
  ReadRegDWORD $KeptRegime HKCU "${PAUSARIUM_SETTINGS_KEY}" "RegimeType"
  IfErrors 0 +2
    StrCpy $KeptRegime ""
  ClearErrors
  ReadRegDWORD $KeptProtection HKCU "${PAUSARIUM_SETTINGS_KEY}" "ProtectionLevel"
  IfErrors 0 +2
    StrCpy $KeptProtection ""
FunctionEnd

; Runs the earlier installation's uninstaller in place and waits for it. Sets the error flag when
; it could not be started.
Function UninstallPrevious
  ClearErrors
  StrCmp $PreviousDir "" done
  DetailPrint "$(RemovingPrevious)"
  ExecWait '"$PreviousDir\${PAUSARIUM_UNINSTALLER}" /S /UPGRADE _?=$PreviousDir'
  IfErrors done
  ; Run in place, it cannot delete itself.
  StrCpy $R0 "$PreviousDir\${PAUSARIUM_UNINSTALLER}"
  Call FreeFile
  ClearErrors
  done:
FunctionEnd

; After the new files are in place: the settings as they were, and the autorun value, which
; names the new installation's reminder ($R0: the value /AUTORUN writes).
Function RestoreUserData
  StrCmp $KeptRegime "" +2
    WriteRegDWORD HKCU "${PAUSARIUM_SETTINGS_KEY}" "RegimeType" $KeptRegime
  StrCmp $KeptProtection "" +2
    WriteRegDWORD HKCU "${PAUSARIUM_SETTINGS_KEY}" "ProtectionLevel" $KeptProtection
  StrCmp $KeptAutorun "" done
  StrCmp $PreviousDir $INSTDIR 0 moved
    WriteRegStr HKLM "${PAUSARIUM_RUN_KEY}" "Pausarium" $KeptAutorun
    Goto done
  moved:
    WriteRegStr HKLM "${PAUSARIUM_RUN_KEY}" "Pausarium" $R0
  done:
FunctionEnd
