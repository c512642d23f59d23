; Why the installer or the uninstaller refused or failed: listed in the details (seen with a
; window) and appended to the log file "$TEMP\Pausarium-setup.log", for a silent run shows
; nothing and NSIS, as Debian builds it, keeps no log of its own. $TEMP is that of the account
; that runs the installer: C:\Windows\Temp for SYSTEM, the account of deployment tools.

Var LogFile  ; the log file's handle while a line is written

; Lists TEXT in the details and appends it to the log file. A log file that cannot be opened is
; left out: the exit code says what happened all the same.
!macro PAUSARIUM_LOG TEXT
  DetailPrint "${TEXT}"
  FileOpen $LogFile "$TEMP\Pausarium-setup.log" a
  ${If} $LogFile != ""
    FileSeek $LogFile 0 END
    FileWrite $LogFile "Pausarium ${VERSION}: ${TEXT}$\r$\n"
    FileClose $LogFile
  ${EndIf}
!macroend
