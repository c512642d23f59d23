; What the uninstaller removes from the registry, unless an installer runs it to upgrade
; (/UPGRADE), when everything that users and administrators set stays:
; - the autorun value "Pausarium", only when it names a file in this install directory, stored
;   bare or in double quotes (a value of another installation is left alone);
; - the current user's settings;
; - the Active Setup component that gives every user the administrator's settings.
; The settings and the component stay also while an installation of the other architecture (the
; other registry view's entry, on 64-bit Windows) is there: they serve it too.
!include LogicLib.nsh

Var Upgrading  ; 1 when an installer runs the uninstaller to upgrade
Var RemovalFailed  ; 1 when a file could be removed neither now nor at the next restart

; Called from un.onInit.
Function un.ReadUpgradeSwitch
  ${un.GetParameters} $0
  ClearErrors
  ${un.GetOptions} $0 "/UPGRADE" $1
  StrCpy $Upgrading 1
  ${If} ${Errors}
    StrCpy $Upgrading 0
  ${EndIf}
FunctionEnd

; $0: 1 when the other registry view holds Pausarium's installed-programs entry and its
; uninstaller is there (as the installer counts an installation), else 0. Uses $1.
Function un.OtherInstallationPresent
  StrCpy $1 ""
  ${If} ${RunningX64}
    SetRegView ${PAUSARIUM_OTHER_REG_VIEW}
    !insertmacro PAUSARIUM_LIVING_UNINSTALLER  ; $0: its uninstaller, or ""
    SetRegView ${PAUSARIUM_REG_VIEW}
    StrCpy $1 $0
  ${EndIf}
  ${If} $1 != ""
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
FunctionEnd

Function un.RemoveRegistryData
  ${If} $Upgrading = 1
    Return
  ${EndIf}
  ReadRegStr $0 HKLM "${PAUSARIUM_RUN_KEY}" "Pausarium"  ; $0: the autorun value
  !insertmacro PAUSARIUM_AUTORUN_IN_FOLDER $0 $INSTDIR $1  ; $1: 1 when it names this folder
  ${If} $1 = 1
    DeleteRegValue HKLM "${PAUSARIUM_RUN_KEY}" "Pausarium"
  ${EndIf}
  Call un.OtherInstallationPresent
  ${If} $0 = 1  ; it still needs the settings and the component
    Return
  ${EndIf}
  DeleteRegKey HKCU "${PAUSARIUM_SETTINGS_KEY}"
  !insertmacro PAUSARIUM_ACTIVE_SETUP_VIEW
  DeleteRegKey HKLM "${PAUSARIUM_ACTIVE_SETUP_KEY}"
  SetRegView ${PAUSARIUM_REG_VIEW}
FunctionEnd

; Run before the files are deleted: a file in use (the reminder runs in every session) is moved
; aside and goes at the next restart, with the folder.
Function un.FreeInstalledFiles
  StrCpy $RemovalFailed 0
  StrCpy $R4 $INSTDIR
  Call un.FreeFilesInFolder
FunctionEnd

; Removes the file $R0 now or, when that fails (a file that another program holds without
; delete sharing cannot even be moved aside), has Windows remove it at the next restart. That
; is what Delete /REBOOTOK does, with MoveFileEx and MOVEFILE_DELAY_UNTIL_REBOOT (4), but NSIS
; sets the reboot flag whether or not Windows took the request, so the call is made here and its
; result ($R1) read. Sets $RemovalFailed to 1 when the file stays for good. An uninstaller run in
; place is left, as Windows cannot delete a running program.
Function un.RemoveNowOrAtRestart
  ${If} $R0 == $EXEPATH
  ${OrIfNot} ${FileExists} $R0
    Return
  ${EndIf}
  Delete $R0
  ${IfNot} ${FileExists} $R0
    Return
  ${EndIf}
  System::Call 'kernel32::MoveFileExW(w R0, p 0, i 4) i .R1'
  ${If} $R1 != 0
    SetRebootFlag true
    DetailPrint "$(FileRemovedAtRestart)"
  ${Else}
    StrCpy $RemovalFailed 1
    !insertmacro PAUSARIUM_LOG "$(FileNotRemoved)"
  ${EndIf}
FunctionEnd

; The file FILE, if it is still there, and every file moved aside under its name (FILE.old1, ...),
; now or by an earlier upgrade. $R5: their folder; $R6: the search handle; $R7: a found name.
!macro _PAUSARIUM_REMOVE_LEFT_OVER FILE
  StrCpy $R0 "$INSTDIR\${FILE}"
  Call un.RemoveNowOrAtRestart
  ${un.GetParent} "$INSTDIR\${FILE}" $R5
  FindFirst $R6 $R7 "$INSTDIR\${FILE}.old*"
  ${DoWhile} $R7 != ""
    StrCpy $R0 "$R5\$R7"
    Call un.RemoveNowOrAtRestart
    FindNext $R6 $R7
  ${Loop}
  FindClose $R6
!macroend
; After the files: what is still there goes now or at the next restart, and the folder with it.
; The exit code tells which: 3010 (restart needed), as Windows Installer uses it, or 2 when a
; file can be removed neither now nor then.
Function un.FinishRemoval
  ${If} $Upgrading == 1
    Return
  ${EndIf}
  !insertmacro PAUSARIUM_FILES _PAUSARIUM_REMOVE_LEFT_OVER
  ${If} ${RebootFlag}
    RMDir /REBOOTOK "$INSTDIR\Sound"
    RMDir /REBOOTOK "$INSTDIR"
  ${EndIf}
  ${If} $RemovalFailed == 1
    !insertmacro PAUSARIUM_LOG "$(FilesNotRemoved)"
    MessageBox MB_OK|MB_ICONSTOP "$(FilesNotRemoved)" /SD IDOK
    SetErrorLevel 2
  ${ElseIf} ${RebootFlag}
    DetailPrint "$(RemovedAtRestart)"
    MessageBox MB_OK|MB_ICONINFORMATION "$(FilesInUseAtRestart)" /SD IDOK
    SetErrorLevel 3010
  ${EndIf}
FunctionEnd
