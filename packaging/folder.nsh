; The install folder. Windows starts the reminder for every user, so only the administrators may
; change the folder it lies in. Program Files is protected so already. A folder chosen elsewhere
; (which on C:\ or another drive every user may change) gets the same protection, but only when
; the installer makes it, or when it holds nothing but an earlier Pausarium installation: the
; protection is set on everything in the folder, and the files of other programs, or the
; documents of users, must never lose their owner and permissions. Any other existing folder is
; refused, and so are drive roots and the Windows folder, before anything is changed.

Var FolderRefusal  ; why $INSTDIR cannot be used, or "" when it can
Var FolderNeedsProtection  ; 1 outside Program Files

; Sets $R9 to 1 when the file named $R3 (relative to the install folder) is one that Pausarium
; installs, or such a file moved aside while it was in use (its name followed by ".old" and a
; number), else to 0.
!macro _PAUSARIUM_MATCH_FILE FILE
  StrCmp $R3 "${FILE}" match_known
  StrLen $R5 "${FILE}.old"
  StrCpy $R6 $R3 $R5
  StrCmp $R6 "${FILE}.old" match_known
!macroend
Function IsPausariumFile
  StrCpy $R9 0
  !insertmacro PAUSARIUM_FILES _PAUSARIUM_MATCH_FILE
  Return
  match_known:
    StrCpy $R9 1
FunctionEnd

; Sets $R9 to 1 when the folder $R0 holds at least one file and every file in it, and in its
; sub-folders, is one of Pausarium's (see IsPausariumFile), else to 0.
Function HoldsOnlyPausarium
  StrCpy $R8 0  ; files seen
  StrCpy $R7 ""  ; the sub-folder being listed, with its backslash, or "" for the folder itself
  FindFirst $R1 $R2 "$R0\*.*"
  entry:
    StrCmp $R2 "" folder_done
    StrCmp $R2 "." next_entry
    StrCmp $R2 ".." next_entry
    StrCpy $R3 "$R7$R2"
    IfFileExists "$R0\$R3\*.*" 0 file
      ; A sub-folder: only Sound, and only one level deep.
      StrCmp $R7 "" 0 foreign
      StrCmp $R2 "Sound" 0 foreign
      Push $R1
      StrCpy $R7 "Sound\"
      FindFirst $R1 $R2 "$R0\Sound\*.*"
      Goto entry
    file:
      Call IsPausariumFile
      StrCmp $R9 1 0 foreign
      IntOp $R8 $R8 + 1
  next_entry:
    FindNext $R1 $R2
    Goto entry
  folder_done:
    FindClose $R1
    StrCmp $R7 "" listed
    StrCpy $R7 ""  ; back from Sound to the folder itself
    Pop $R1
    Goto next_entry
  listed:
    IntCmp $R8 0 0 0 +3
      StrCpy $R9 0
      Return
    StrCpy $R9 1
    Return
  foreign:
    FindClose $R1
    StrCmp $R7 "" +3
      Pop $R1
      FindClose $R1
    StrCpy $R9 0
FunctionEnd

; Sets $R1 to 1 when the folder $R0 (without a trailing backslash) is the root of a drive ("C:")
; or of a share ("\\server\share"), else to 0. Uses $R2-$R5.
Function IsRootFolder
  ; $R2: the length of $R0, then its start, then what follows "\\"; $R3: a position in $R2;
  ; $R4: the character there; $R5: the backslashes counted
  StrCpy $R1 0
  StrLen $R2 $R0
  ${If} $R2 <= 2
    StrCpy $R1 1
    Return
  ${EndIf}
  StrCpy $R2 $R0 2
  ${If} $R2 == "\\"
    StrCpy $R2 $R0 "" 2
    StrCpy $R3 0
    StrCpy $R5 0
    ${Do}
      StrCpy $R4 $R2 1 $R3
      ${If} $R4 == "\"
        IntOp $R5 $R5 + 1
      ${EndIf}
      IntOp $R3 $R3 + 1
    ${LoopUntil} $R4 == ""
    ${If} $R5 <= 1  ; "server" or "server\share"
      StrCpy $R1 1
    ${EndIf}
  ${EndIf}
FunctionEnd

; Decides whether $INSTDIR may be used, after turning it into the folder it names
; (install-path.nsh): sets $FolderRefusal (the message, or "") and $FolderNeedsProtection.
Function CheckInstallFolder
  StrCpy $FolderRefusal "$DirectorySwitchRefusal"
  StrCpy $FolderNeedsProtection 0
  ${If} $FolderRefusal != ""
    Return
  ${EndIf}
  ; $R0: the folder, named by the refusals' texts; $R1: a result, a piece of $R0 or a length;
  ; $R2: a length
  Call IsDevicePath
  ${If} $R0 = 1
    System::Call 'kernel32::lstrcpynW(t .R0, t d, i ${NSIS_MAX_STRLEN})'
    StrCpy $FolderRefusal "$(FolderRefusedDevicePath)"
    Return
  ${EndIf}
  Call NormaliseInstallFolder
  StrCpy $R0 "$INSTDIR"
  ; Without trailing backslashes, so that "C:\" and "C:" are the same root.
  ${Do}
    StrCpy $R1 $R0 1 -1
    ${If} $R1 != "\"
      ${Break}
    ${EndIf}
    StrCpy $R0 $R0 -1
  ${Loop}
  Call IsRootFolder
  ${If} $R1 = 1
    StrCpy $FolderRefusal "$(FolderRefusedDriveRoot)"
    Return
  ${EndIf}
  StrLen $R2 "$WINDIR\"
  StrCpy $R1 $R0 $R2
  ${If} $R0 == "$WINDIR"
  ${OrIf} $R1 == "$WINDIR\"
    StrCpy $FolderRefusal "$(FolderRefusedWindows)"
    Return
  ${EndIf}
  StrLen $R2 "$PROGRAMFILES32\"
  StrCpy $R1 $R0 $R2
  ${If} $R1 == "$PROGRAMFILES32\"
    Return
  ${EndIf}
  StrLen $R2 "$PROGRAMFILES64\"
  StrCpy $R1 $R0 $R2
  ${If} $R1 == "$PROGRAMFILES64\"
    Return
  ${EndIf}
  StrCpy $FolderNeedsProtection 1
  ${If} ${FileExists} "$R0\*.*"  ; else a folder the installer makes
    Call HoldsOnlyPausarium
    ${If} $R9 != 1
      StrCpy $FolderRefusal "$(FolderRefusedForeign)"
    ${EndIf}
  ${EndIf}
FunctionEnd

; The directory page's Next button: a refused folder keeps the page open.
Function DirectoryPageLeave
  Call CheckInstallFolder
  ${If} $FolderRefusal != ""
    MessageBox MB_OK|MB_ICONSTOP "$FolderRefusal" /SD IDOK
    Abort
  ${EndIf}
FunctionEnd

; Owned by Administrators, full control for Administrators and SYSTEM, read and run for Users,
; nothing inherited from the parent; set before anything is copied into the folder. icacls runs
; through nsExec, which gives it no console window. Sets the error flag when the permissions
; could not be set (a FAT32 or exFAT volume has none, a share may refuse them).
!macro _PAUSARIUM_ICACLS ARGUMENTS
  ${If} $0 == 0
    nsExec::ExecToLog '"$SYSDIR\icacls.exe" "$INSTDIR" ${ARGUMENTS}'
    Pop $0
    ${If} $0 != 0
      DetailPrint "icacls ${ARGUMENTS}: $0"
    ${EndIf}
  ${EndIf}
!macroend
Function ProtectInstallFolder
  ClearErrors
  ${If} $FolderNeedsProtection = 1
    DetailPrint "$(ProtectingFolder)"
    StrCpy $0 0  ; $0: the exit code of the last icacls, "error" when it could not be started
    !insertmacro _PAUSARIUM_ICACLS '/reset /T /C /Q'
    !insertmacro _PAUSARIUM_ICACLS '/setowner *S-1-5-32-544 /T /C /Q'
    !insertmacro _PAUSARIUM_ICACLS '/inheritance:r /grant:r *S-1-5-32-544:(OI)(CI)F *S-1-5-18:(OI)(CI)F *S-1-5-32-545:(OI)(CI)RX /Q'
    ${If} $0 != 0
      SetErrors
    ${EndIf}
  ${EndIf}
FunctionEnd

Var FolderMadeTop  ; the outermost folder that PrepareInstallFolder made, or ""

; Makes the install folder and protects it, before an earlier installation is touched. Sets the
; error flag when either failed; the folders made here are then removed again (see
; RemoveMadeInstallFolder), so that nothing has changed.
Function PrepareInstallFolder
  StrCpy $FolderMadeTop ""
  StrCpy $0 $INSTDIR  ; $0: the folder and each parent that does not exist yet
  ${DoUntil} $0 == ""
    ${If} ${FileExists} "$0\*.*"
      ${Break}
    ${EndIf}
    StrCpy $FolderMadeTop $0
    ${GetParent} $0 $0
  ${Loop}
  ClearErrors
  CreateDirectory "$INSTDIR"
  ${If} ${Errors}
  ${OrIfNot} ${FileExists} "$INSTDIR\*.*"
    DetailPrint "$(FolderNotMade)"
    Call RemoveMadeInstallFolder
    SetErrors
    Return
  ${EndIf}
  Call ProtectInstallFolder
  ${If} ${Errors}
    Call RemoveMadeInstallFolder
    SetErrors
  ${EndIf}
FunctionEnd

; The folders that PrepareInstallFolder made, while they are still empty.
Function RemoveMadeInstallFolder
  ${If} $FolderMadeTop != ""
    StrCpy $0 $INSTDIR  ; $0: the folder, then each parent up to the outermost one made
    ${Do}
      RMDir $0
      ${If} $0 == $FolderMadeTop
        ${Break}
      ${EndIf}
      ${GetParent} $0 $0
    ${LoopUntil} $0 == ""
  ${EndIf}
FunctionEnd
