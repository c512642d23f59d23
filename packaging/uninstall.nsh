; What the uninstaller removes from the registry, unless an installer runs it to upgrade
; (/UPGRADE), when everything that users and administrators set stays:
; - the autorun value "Pausarium", only when it names a file in this install directory, stored
;   bare or in double quotes (a value of another installation is left alone);
; - the current user's settings;
; - the Active Setup component that gives every user the administrator's settings.
; The settings and the component stay also while an installation of the other architecture (the
; other registry view's entry, on 64-bit Windows) is there: they serve it too.
Var Upgrading  ; 1 when an installer runs the uninstaller to upgrade

; Called from un.onInit.
Function un.ReadUpgradeSwitch
  ${un.GetParameters} $0
  ClearErrors
  ${un.GetOptions} $0 "/UPGRADE" $1
  StrCpy $Upgrading 1
  IfErrors 0 +2
    StrCpy $Upgrading 0
FunctionEnd

; $0: 1 when the other registry view holds Pausarium's installed-programs entry, else 0.
Function un.OtherInstallationPresent
  StrCpy $0 0
  ${If} ${RunningX64}
    SetRegView ${PAUSARIUM_OTHER_REG_VIEW}
    ReadRegStr $1 HKLM "${PAUSARIUM_UNINSTALL_KEY}" "UninstallString"
    SetRegView ${PAUSARIUM_REG_VIEW}
    ${If} $1 != ""
      StrCpy $0 1
    ${EndIf}
  ${EndIf}
FunctionEnd

Function un.RemoveRegistryData
  StrCmp $Upgrading 1 done
  ReadRegStr $0 HKLM "${PAUSARIUM_RUN_KEY}" "Pausarium"
  !insertmacro PAUSARIUM_AUTORUN_IN_FOLDER $0 $INSTDIR $1
  StrCmp $1 1 0 +2
    DeleteRegValue HKLM "${PAUSARIUM_RUN_KEY}" "Pausarium"
  Call un.OtherInstallationPresent
  StrCmp $0 1 done  ; it still needs the settings and the component
  DeleteRegKey HKCU "${PAUSARIUM_SETTINGS_KEY}"
  !insertmacro PAUSARIUM_ACTIVE_SETUP_VIEW
  DeleteRegKey HKLM "${PAUSARIUM_ACTIVE_SETUP_KEY}"
  SetRegView ${PAUSARIUM_REG_VIEW}
  done:
FunctionEnd

; Run before the files are deleted: a file in use (the reminder runs in every session) is moved
; aside and goes at the next restart, with the folder. The uninstaller then says so, and a
; silent run returns 3010, as Windows Installer does.
Function un.FreeInstalledFiles
  StrCpy $R4 $INSTDIR
  Call un.FreeFilesInFolder
FunctionEnd

!macro _PAUSARIUM_REMOVE_MOVED_ASIDE FILE
  Delete /REBOOTOK "$INSTDIR\${FILE}.old*"
!macroend
; After the files: what was moved aside, now or by an earlier upgrade, goes at the next restart,
; and so does the folder then.
Function un.FinishRemoval
  StrCmp $Upgrading 1 done
  !insertmacro PAUSARIUM_FILES _PAUSARIUM_REMOVE_MOVED_ASIDE
  IfRebootFlag 0 done
    RMDir /REBOOTOK "$INSTDIR\Sound"
    RMDir /REBOOTOK "$INSTDIR"
    DetailPrint "$(RemovedAtRestart)"
    MessageBox MB_OK|MB_ICONINFORMATION "$(StillRunning)" /SD IDOK
    SetErrorLevel 3010
  done:
FunctionEnd
