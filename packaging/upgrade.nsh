; Installing over an earlier installation: its uninstaller runs first (in its folder, told that an
; upgrade follows), once the new folder is made and protected, so that files the new version no
; longer ships go. What users set survives: the autorun value, when it names the earlier
; installation's reminder, and the settings of the user who runs the installer. Uninstallers
; before 2.4.0 know no upgrade and delete both, so they are read before and written back after,
; and written back also when a later step fails.

; Sets RESULT to 1 when the autorun value VALUE names a file in the folder DIR, stored bare or in
; double quotes, else to 0. Uses $2.
!macro PAUSARIUM_AUTORUN_IN_FOLDER VALUE DIR RESULT
  StrCpy ${RESULT} ${VALUE}
  StrCpy $2 ${RESULT} 1
  ${If} $2 == '"'
    StrCpy ${RESULT} ${RESULT} "" 1
  ${EndIf}
  StrLen $2 "${DIR}\"
  StrCpy ${RESULT} ${RESULT} $2
  ${If} ${RESULT} == "${DIR}\"
    StrCpy ${RESULT} 1
  ${Else}
    StrCpy ${RESULT} 0
  ${EndIf}
!macroend

Var PreviousDir  ; the earlier installation's folder, normalised as $INSTDIR is, or ""
Var PreviousDirAsStored  ; the same as its entry spells it
Var OtherDir  ; the folder of an installation of the other architecture, normalised, or ""
Var OtherDirAsStored  ; the same as its entry spells it
Var KeptAutorun  ; the autorun value that names one of them, or ""
Var KeptAutorunDir  ; the folder it names
Var KeptAutorunView  ; the registry view it lies in, 32 or 64
Var OtherAutorun  ; 1 when the other architecture's registry view holds such a value
Var KeptRegime  ; the user's RegimeType, or "" when there was none
Var KeptProtection  ; the user's ProtectionLevel, or ""
Var PreviousRemoved  ; 1 once an earlier installation's uninstaller has run
Var NewUninstallerWritten  ; 1 once the new uninstaller and its entry are written

; Sets $0 to the uninstaller that Pausarium's installed-programs entry in the current registry
; view names, when that file is there, else to "": an entry whose uninstaller is gone counts as
; no installation, for the installer and the uninstaller alike. Uses $1.
!macro PAUSARIUM_LIVING_UNINSTALLER
  ReadRegStr $0 HKLM "${PAUSARIUM_UNINSTALL_KEY}" "UninstallString"
  StrCpy $1 $0 1
  ${If} $1 == '"'
    StrCpy $0 $0 "" 1
  ${EndIf}
  StrCpy $1 $0 1 -1
  ${If} $1 == '"'
    StrCpy $0 $0 -1
  ${EndIf}
  ${If} $0 == ""
  ${OrIfNot} ${FileExists} $0
    StrCpy $0 ""
  ${EndIf}
!macroend

; $0: the folder of the installation whose installed-programs entry lies in the current registry
; view, when its uninstaller is still there, else "", normalised as $INSTDIR is (install-path.nsh)
; so that another spelling of the same folder (a short name, "..") is seen to be the same; $1: the
; folder as the entry spells it. Uses $R0-$R5.
Function ReadInstalledFolder
  !insertmacro PAUSARIUM_LIVING_UNINSTALLER
  StrCpy $1 ""
  ${If} $0 != ""
    StrLen $1 "\${PAUSARIUM_UNINSTALLER}"
    StrCpy $1 $0 -$1
    StrCpy $R0 $1
    Call NormalisePath
    StrCpy $0 $R0
  ${EndIf}
FunctionEnd

; $PreviousDir from the installed-programs entry of this architecture, $OtherDir from that of the
; other one. On 64-bit Windows the x86 and the x64 installer each keep their entry, and their
; autorun value, in their own registry view (the 32-bit one is WOW6432Node), and each upgrades an
; installation of the other, so that a computer has one Pausarium, one entry and one autorun
; value. 32-bit Windows has the one view and runs the x86 installer only.
Function FindPreviousInstallation
  Call ReadInstalledFolder
  StrCpy $PreviousDir $0
  StrCpy $PreviousDirAsStored $1
  StrCpy $OtherDir ""
  StrCpy $OtherDirAsStored ""
  ${If} ${RunningX64}
    SetRegView ${PAUSARIUM_OTHER_REG_VIEW}
    Call ReadInstalledFolder
    StrCpy $OtherDir $0
    StrCpy $OtherDirAsStored $1
    SetRegView ${PAUSARIUM_REG_VIEW}
  ${EndIf}
FunctionEnd

; Called from .onInit when $INSTDIR is the default folder: with no installation of this
; architecture, one of the other architecture in a folder of its own choosing (not its Program
; Files) is upgraded in that folder.
Function UseOtherArchitectureFolder
  Call ReadInstalledFolder  ; $0: the folder of this architecture's installation
  ${If} $0 == ""
  ${AndIf} ${RunningX64}
    SetRegView ${PAUSARIUM_OTHER_REG_VIEW}
    Call ReadInstalledFolder  ; $0: its folder
    SetRegView lastused
    !if ${PAUSARIUM_OTHER_REG_VIEW} = 64
      StrCpy $1 "$PROGRAMFILES64\Pausarium"  ; $1: the other architecture's default folder
    !else
      StrCpy $1 "$PROGRAMFILES32\Pausarium"
    !endif
    ${If} $0 != ""
    ${AndIf} $0 != $1
      StrCpy $INSTDIR $0
    ${EndIf}
  ${EndIf}
FunctionEnd

; Keeps the autorun value when it names the earlier installation's reminder (of this or of the
; other architecture), and the settings of the user who runs the installer.
Function KeepUserData
  StrCpy $KeptAutorun ""
  StrCpy $OtherAutorun 0
  ; $0: an autorun value; $1: 1 when it names the folder, under either spelling
  ${If} $PreviousDir != ""
    ReadRegStr $0 HKLM "${PAUSARIUM_RUN_KEY}" "Pausarium"
    !insertmacro PAUSARIUM_AUTORUN_IN_FOLDER $0 $PreviousDir $1
    ${If} $1 = 0
      !insertmacro PAUSARIUM_AUTORUN_IN_FOLDER $0 $PreviousDirAsStored $1
    ${EndIf}
    ${If} $1 = 1
      StrCpy $KeptAutorun $0
      StrCpy $KeptAutorunDir $PreviousDir
      StrCpy $KeptAutorunView ${PAUSARIUM_REG_VIEW}
    ${EndIf}
  ${EndIf}
  ${If} $OtherDir != ""
    SetRegView ${PAUSARIUM_OTHER_REG_VIEW}
    ReadRegStr $0 HKLM "${PAUSARIUM_RUN_KEY}" "Pausarium"
    SetRegView ${PAUSARIUM_REG_VIEW}
    !insertmacro PAUSARIUM_AUTORUN_IN_FOLDER $0 $OtherDir $1
    ${If} $1 = 0
      !insertmacro PAUSARIUM_AUTORUN_IN_FOLDER $0 $OtherDirAsStored $1
    ${EndIf}
    ${If} $1 = 1
      StrCpy $OtherAutorun 1
      ${If} $KeptAutorun == ""
        StrCpy $KeptAutorun $0
        StrCpy $KeptAutorunDir $OtherDir
        StrCpy $KeptAutorunView ${PAUSARIUM_OTHER_REG_VIEW}
      ${EndIf}
    ${EndIf}
  ${EndIf}
  ClearErrors
  ReadRegDWORD $KeptRegime HKCU "${PAUSARIUM_SETTINGS_KEY}" "RegimeType"
  ${If} ${Errors}
    StrCpy $KeptRegime ""
  ${EndIf}
  ClearErrors
  ReadRegDWORD $KeptProtection HKCU "${PAUSARIUM_SETTINGS_KEY}" "ProtectionLevel"
  ${If} ${Errors}
    StrCpy $KeptProtection ""
  ${EndIf}
FunctionEnd

; Runs the uninstaller in the folder $R4 in place, told that an upgrade follows, and waits for
; it. Sets the error flag when it could not be started; an exit code that is not 0 (a file left,
; which the new install replaces or moves aside) is listed in the details. Uses $1.
Function RunUninstallerToUpgrade
  DetailPrint "$(RemovingPrevious)"
  ClearErrors
  ExecWait '"$R4\${PAUSARIUM_UNINSTALLER}" /S /UPGRADE _?=$R4' $1  ; $1: its exit code
  ${IfNot} ${Errors}
    ${If} $1 != 0
      DetailPrint "$R4\${PAUSARIUM_UNINSTALLER}: $1"
    ${EndIf}
    ; Run in place, it cannot delete itself.
    StrCpy $R0 "$R4\${PAUSARIUM_UNINSTALLER}"
    Call FreeFile
    ClearErrors
  ${EndIf}
FunctionEnd

; Runs the earlier installations' uninstallers. Sets the error flag when one could not be started
; (nothing was changed then, unless it was the second). The other registry view's entry goes
; afterwards, also one whose uninstaller was gone already, so that one entry is left.
Function UninstallPrevious
  ClearErrors
  ${If} $PreviousDir != ""
    StrCpy $R4 $PreviousDir
    Call RunUninstallerToUpgrade
    ${If} ${Errors}
      Return
    ${EndIf}
    StrCpy $PreviousRemoved 1
  ${EndIf}
  ${If} $OtherDir != ""
    ; In the same folder as the first, its uninstaller is gone with it: the entry stays to remove.
    ${If} ${FileExists} "$OtherDir\${PAUSARIUM_UNINSTALLER}"
      StrCpy $R4 $OtherDir
      Call RunUninstallerToUpgrade
      ${If} ${Errors}
        Return
      ${EndIf}
    ${EndIf}
    StrCpy $PreviousRemoved 1
  ${EndIf}
  ${If} ${RunningX64}
    SetRegView ${PAUSARIUM_OTHER_REG_VIEW}
    DeleteRegKey HKLM "${PAUSARIUM_UNINSTALL_KEY}"
    SetRegView ${PAUSARIUM_REG_VIEW}
  ${EndIf}
  ClearErrors
FunctionEnd

!macro _PAUSARIUM_SCHEDULE_MOVED_ASIDE FILE
  Delete /REBOOTOK "$R4\${FILE}.old*"
!macroend
; A moved upgrade: what an earlier uninstaller left in its folder (a reminder still running, which
; 2.3.0's deletes without scheduling it) is removed, or moved aside and deleted at the next
; restart, and so is the folder, once empty. $R4: the folder.
Function RemoveEarlierFolder
  ${If} $R4 == ""
  ${OrIf} $R4 == $INSTDIR
  ${OrIfNot} ${FileExists} "$R4\*.*"
    Return
  ${EndIf}
  Call FreeFilesInFolder
  !insertmacro PAUSARIUM_FILES _PAUSARIUM_SCHEDULE_MOVED_ASIDE
  RMDir "$R4\Sound"
  RMDir "$R4"
  ${If} ${FileExists} "$R4\*.*"
    RMDir /REBOOTOK "$R4\Sound"
    RMDir /REBOOTOK "$R4"
    DetailPrint "$(EarlierFolderAtRestart)"
  ${EndIf}
  ClearErrors
FunctionEnd

; Writes the kept settings back. Sets the error flag when a value could not be written.
Function WriteKeptSettings
  ClearErrors
  ${If} $KeptRegime != ""
    WriteRegDWORD HKCU "${PAUSARIUM_SETTINGS_KEY}" "RegimeType" $KeptRegime
  ${EndIf}
  ${If} $KeptProtection != ""
    WriteRegDWORD HKCU "${PAUSARIUM_SETTINGS_KEY}" "ProtectionLevel" $KeptProtection
  ${EndIf}
FunctionEnd

; After the new files are in place: the settings as they were, and one autorun value, in this
; architecture's view, which names the new installation's reminder ($R0: the value /AUTORUN
; writes; the kept value itself when the folder stayed). Sets the error flag when a value could
; not be written.
Function RestoreUserData
  Call WriteKeptSettings
  StrCpy $R1 0  ; $R1: 1 when a setting could not be written
  ${If} ${Errors}
    StrCpy $R1 1
  ${EndIf}
  ClearErrors
  ${If} $KeptAutorun != ""
    ${If} $KeptAutorunDir == $INSTDIR
      WriteRegStr HKLM "${PAUSARIUM_RUN_KEY}" "Pausarium" $KeptAutorun
    ${Else}
      WriteRegStr HKLM "${PAUSARIUM_RUN_KEY}" "Pausarium" $R0
    ${EndIf}
  ${EndIf}
  ${If} $OtherAutorun = 1
    ${IfNot} ${Errors}  ; the other one goes only when this one is written
      SetRegView ${PAUSARIUM_OTHER_REG_VIEW}
      DeleteRegValue HKLM "${PAUSARIUM_RUN_KEY}" "Pausarium"
      SetRegView ${PAUSARIUM_REG_VIEW}
      ClearErrors
    ${EndIf}
  ${EndIf}
  ${If} $R1 = 1
    SetErrors
  ${EndIf}
FunctionEnd

; .onInstFailed: a step after an earlier uninstaller failed, or the user answered Abort. What the
; upgrade kept is written back (uninstallers before 2.4.0 delete it), so that users keep their
; settings and their reminder at log-on. Once the new uninstaller and its entry are written, the
; new folder is the installation (incomplete: run the installer again, or uninstall it), and the
; autorun value names its reminder, as after an install; else the value goes back where it was.
Function RestoreUserDataAfterFailure
  ${If} $NewUninstallerWritten = 1
    Call AutorunValue
    Call RestoreUserData
  ${ElseIf} $PreviousRemoved = 1
    Call WriteKeptSettings
    ${If} $KeptAutorun != ""
      ${If} $KeptAutorunView == ${PAUSARIUM_OTHER_REG_VIEW}
        SetRegView ${PAUSARIUM_OTHER_REG_VIEW}
      ${EndIf}
      WriteRegStr HKLM "${PAUSARIUM_RUN_KEY}" "Pausarium" $KeptAutorun
      SetRegView ${PAUSARIUM_REG_VIEW}
    ${EndIf}
  ${EndIf}
FunctionEnd
