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
  IfErrors 0 +2
    StrCpy $Regime ""
  ClearErrors
  ${GetOptions} $0 "/PROTECTION=" $Protection
  IfErrors 0 +2
    StrCpy $Protection ""
  StrCmp "$Regime$Protection" "" done
  StrCmp $Regime "" 0 +2
    StrCpy $Regime 1
  StrCmp $Protection "" 0 +2
    StrCpy $Protection 0
  StrCmp $Regime 0 protection
  StrCmp $Regime 1 protection
  StrCmp $Regime 2 protection invalid
  protection:
  StrCmp $Protection 0 done
  StrCmp $Protection 1 done invalid
  invalid:
    MessageBox MB_OK|MB_ICONSTOP "$(InvalidSwitches)" /SD IDOK
    SetErrorLevel 2
    Quit
  done:
FunctionEnd

; $R0: the autorun value that names the installed reminder, as the setup tool writes it.
Function AutorunValue
  StrCpy $R0 "$INSTDIR\Pausarium.exe"
  StrCpy $R1 0
  scan:
    StrCpy $R2 $R0 1 $R1
    StrCmp $R2 "" done
    StrCmp $R2 " " 0 +3
      StrCpy $R0 '"$R0"'
      Goto done
    IntOp $R1 $R1 + 1
    Goto scan
  done:
FunctionEnd

Function WriteAutorunIfAsked
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/AUTORUN" $1
  IfErrors done
    WriteRegStr HKLM "${PAUSARIUM_RUN_KEY}" "Pausarium" $R0
  done:
FunctionEnd

; The Active Setup component: at each user's log-on Windows runs its StubPath for a user who has
; not yet run this version of it. The command writes each setting only where the user has none,
; with Windows' own reg.exe, so a user's own choice is never overwritten. It lies in the
; computer's native registry view, the one Windows' log-on reads on every edition: the 64-bit
; view, which 32-bit Windows ignores (it has the one view only).
!macro PAUSARIUM_ACTIVE_SETUP_VIEW
  SetRegView 64
!macroend

Function WriteActiveSetup
  StrCmp $Regime "" done
  !insertmacro PAUSARIUM_ACTIVE_SETUP_VIEW
  ; For each value: "(reg query VALUE & if errorlevel 1 reg add VALUE)", the query failing where
  ; the user has no such value.
  StrCpy $0 "reg query HKCU\${PAUSARIUM_SETTINGS_KEY} /v"
  StrCpy $1 "reg add HKCU\${PAUSARIUM_SETTINGS_KEY} /v"
  StrCpy $2 "/t REG_DWORD /f >nul"
  WriteRegStr HKLM "${PAUSARIUM_ACTIVE_SETUP_KEY}" "" "Pausarium"
  WriteRegStr HKLM "${PAUSARIUM_ACTIVE_SETUP_KEY}" "Version" "${PAUSARIUM_ACTIVE_SETUP_VERSION}"
  WriteRegDWORD HKLM "${PAUSARIUM_ACTIVE_SETUP_KEY}" "IsInstalled" 1
  WriteRegExpandStr HKLM "${PAUSARIUM_ACTIVE_SETUP_KEY}" "StubPath" \
    "%SystemRoot%\System32\cmd.exe /d /c ($0 RegimeType >nul 2>&1 & if errorlevel 1 $1 RegimeType /d $Regime $2) & ($0 ProtectionLevel >nul 2>&1 & if errorlevel 1 $1 ProtectionLevel /d $Protection $2)"
  SetRegView ${PAUSARIUM_REG_VIEW}
  done:
FunctionEnd
