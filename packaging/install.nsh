; The installer's own switches, for deployments that install without anyone at the desktop:
;   /AUTORUN          registers the installed reminder for start at log-on, exactly as the setup
;                     tool's install button does: its full path, in double quotes when it holds
;                     a space;
;   /REGIME=0|1|2     a regime (30/5, 50/10, 90/15) and
;   /PROTECTION=0|1   a protection level (normal, raised) for every user of the computer who has
;                     none, given at that user's next log-on by Windows' Active Setup. Either one
;                     alone gives the other the setup tool's default (50/10, normal).
; Invalid values stop the installer before anything is changed (exit code 2).

!define PAUSARIUM_ACTIVE_SETUP_KEY "Software\Microsoft\Active Setup\Installed Components\Pausarium"

Var Regime  ; the switches' values, "" when neither was given
Var Protection

; Called from .onInit.
Function ReadSwitches
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REGIME=" $Regime
  ${If} ${Errors}
    StrCpy $Regime ""
  ${EndIf}
  ClearErrors
  ${GetOptions} $0 "/PROTECTION=" $Protection
  ${If} ${Errors}
    StrCpy $Protection ""
  ${EndIf}
  ${If} "$Regime$Protection" == ""
    Return
  ${EndIf}
  ${If} $Regime == ""
    StrCpy $Regime 1
  ${EndIf}
  ${If} $Protection == ""
    StrCpy $Protection 0
  ${EndIf}
  StrCpy $1 0  ; $1: 1 when a switch has a value it does not take
  ${If} $Regime != 0
  ${AndIf} $Regime != 1
  ${AndIf} $Regime != 2
    StrCpy $1 1
  ${EndIf}
  ${If} $Protection != 0
  ${AndIf} $Protection != 1
    StrCpy $1 1
  ${EndIf}
  ${If} $1 = 1
    !insertmacro PAUSARIUM_LOG "$(InvalidSwitches)"
    MessageBox MB_OK|MB_ICONSTOP "$(InvalidSwitches)" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd

; $R0: the autorun value that names the installed reminder, as the setup tool writes it.
Function AutorunValue
  StrCpy $R0 "$INSTDIR\Pausarium.exe"
  StrCpy $R1 0  ; $R1: a position in $R0; $R2: the character there
  ${Do}
    StrCpy $R2 $R0 1 $R1
    ${If} $R2 == " "
      StrCpy $R0 '"$R0"'
      ${Break}
    ${EndIf}
    IntOp $R1 $R1 + 1
  ${LoopUntil} $R2 == ""
FunctionEnd

Var RegistryWriteFailed  ; 1 when a value that the installer promises could not be written

; Called after each write that matters, with the text that names it: a failed one is listed in
; the details, and the installer exits with code 4 (see the install section's end).
!macro PAUSARIUM_CHECK_WRITE WHAT
  ${If} ${Errors}
    !insertmacro PAUSARIUM_LOG "${WHAT}"
    StrCpy $RegistryWriteFailed 1
  ${EndIf}
!macroend

Function WriteAutorunIfAsked
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/AUTORUN" $1
  ${IfNot} ${Errors}
    WriteRegStr HKLM "${PAUSARIUM_RUN_KEY}" "Pausarium" $R0
    !insertmacro PAUSARIUM_CHECK_WRITE "$(AutorunNotWritten)"
  ${EndIf}
FunctionEnd

; The Active Setup component: at each user's log-on Windows runs its StubPath for a user who has
; not yet run this version of it. The command writes each setting only where the user has none,
; with Windows' own reg.exe, so a user's own choice is never overwritten. It lies in the view
; that Windows' log-on reads: the 64-bit one on 64-bit Windows, for either installer. 32-bit
; Windows has one view only, and NSIS (3.02 and later) fails every registry operation in a view
; that the system does not have, so there it is the installer's own view.
!macro PAUSARIUM_ACTIVE_SETUP_VIEW
  ${If} ${RunningX64}
    SetRegView 64
  ${Else}
    SetRegView 32
  ${EndIf}
!macroend

; The component's version grows with every install that gives settings: it is the time of the
; install (UTC) as "year,month*100+day,hour*100+minute,second", each part below 65536, and so
; newer than that of any earlier install. Windows keeps each user's record of the versions run
; after an uninstall, so a version that merely followed the product would skip, after a
; reinstall of the same version, every user who had run it, the uninstalling user included,
; whose settings the uninstall deleted.
Function ActiveSetupVersion
  ; $1 day, $2 month, $3 year, $4 weekday, $5 hour, $6 minute, $7 second; $0 the version
  ${GetTime} "" "LS" $1 $2 $3 $4 $5 $6 $7
  IntOp $2 $2 * 100
  IntOp $2 $2 + $1
  IntOp $5 $5 * 100
  IntOp $5 $5 + $6
  IntOp $7 $7 + 0
  StrCpy $0 "$3,$2,$5,$7"
FunctionEnd

Function WriteActiveSetup
  ${If} $Regime != ""
    Call ActiveSetupVersion
    StrCpy $3 $0  ; $3: the version
    !insertmacro PAUSARIUM_ACTIVE_SETUP_VIEW
    ; For each value: "(reg query VALUE & if errorlevel 1 reg add VALUE)", the query failing where
    ; the user has no such value.
    StrCpy $0 "reg query HKCU\${PAUSARIUM_SETTINGS_KEY} /v"
    StrCpy $1 "reg add HKCU\${PAUSARIUM_SETTINGS_KEY} /v"
    StrCpy $2 "/t REG_DWORD /f >nul"
    ClearErrors
    WriteRegStr HKLM "${PAUSARIUM_ACTIVE_SETUP_KEY}" "" "Pausarium"
    WriteRegStr HKLM "${PAUSARIUM_ACTIVE_SETUP_KEY}" "Version" $3
    WriteRegDWORD HKLM "${PAUSARIUM_ACTIVE_SETUP_KEY}" "IsInstalled" 1
    WriteRegExpandStr HKLM "${PAUSARIUM_ACTIVE_SETUP_KEY}" "StubPath" \
      "%SystemRoot%\System32\cmd.exe /d /c ($0 RegimeType >nul 2>&1 & if errorlevel 1 $1 RegimeType /d $Regime $2) & ($0 ProtectionLevel >nul 2>&1 & if errorlevel 1 $1 ProtectionLevel /d $Protection $2)"
    SetRegView ${PAUSARIUM_REG_VIEW}
    !insertmacro PAUSARIUM_CHECK_WRITE "$(ActiveSetupNotWritten)"
  ${EndIf}
FunctionEnd
