; Files that a running program holds. The reminder runs from log-on to log-off, in every session,
; so its file is normally in use when Pausarium is upgraded or removed. Windows refuses to
; overwrite or delete such a file but lets it be renamed within its folder: it is moved aside
; under a name of its own ("Pausarium.exe.old1"), and that name is deleted at the next restart.
; The file's own name is free at once, for the new version, and no deletion is ever scheduled
; under a name that a later install may use again.

!macro _PAUSARIUM_FREE_IN_FOLDER FILE
  StrCpy $R0 "$R4\${FILE}"
  Call ${_PAUSARIUM_UN}FreeFile
!macroend

!macro PAUSARIUM_FREE_FILE_FUNCTION UN
; Removes the file $R0, or moves it aside as above and has Windows delete it at the next restart
; (MoveFileEx with MOVEFILE_DELAY_UNTIL_REBOOT, 4: Delete /REBOOTOK would fall back to wininit.ini
; and ask for a restart even when nothing was scheduled). Sets the error flag when the file is
; still there under its name. Uses $R1 (a number, then MoveFileEx's result) and $R2 (the name
; aside). A moved file whose deletion Windows refused stays: the uninstaller finds it again at its
; end (un.FinishRemoval) and says so.
Function ${UN}FreeFile
  StrCmp $R0 $EXEPATH free  ; an uninstaller run in place: it stays, as Windows cannot delete it
  IfFileExists $R0 0 free
  Delete $R0
  IfFileExists $R0 0 free
  StrCpy $R1 0
  next_name:
    IntOp $R1 $R1 + 1
    IntCmp $R1 100 0 0 failed
    StrCpy $R2 "$R0.old$R1"
    Delete $R2  ; moved aside by an earlier run, and released since
    IfFileExists $R2 next_name
  ClearErrors
  Rename $R0 $R2
  IfErrors failed
  DetailPrint "$(FileMovedAside)"
  System::Call 'kernel32::MoveFileExW(w R2, p 0, i 4) i .R1'
  ${If} $R1 != 0
    SetRebootFlag true
  ${Else}
    DetailPrint "$(MovedAsideNotScheduled)"
  ${EndIf}
  free:
    ClearErrors
    Return
  failed:
    DetailPrint "$(FileNotReplaced)"
    SetErrors
FunctionEnd

; Frees every file of Pausarium in the folder $R4. One that stays in use is left to the writing
; of the new files, which then fails and says so.
Function ${UN}FreeFilesInFolder
  !define _PAUSARIUM_UN "${UN}"
  !insertmacro PAUSARIUM_FILES _PAUSARIUM_FREE_IN_FOLDER
  !undef _PAUSARIUM_UN
FunctionEnd
!macroend

!insertmacro PAUSARIUM_FREE_FILE_FUNCTION ""
!insertmacro PAUSARIUM_FREE_FILE_FUNCTION "un."
