  ; The autorun value "Pausarium": removed only when it names a file in this install directory,
  ; stored bare or in double quotes. A value of another installation is left alone.
  @PAUSARIUM_REG_VIEW@
  ReadRegStr $0 HKLM "Software\Microsoft\Windows\CurrentVersion\Run" "Pausarium"
  StrCpy $1 $0 1
  StrCmp $1 '"' 0 +2
    StrCpy $0 $0 "" 1
  StrLen $2 "$INSTDIR\"
  StrCpy $1 $0 $2
  StrCmp $1 "$INSTDIR\" 0 +2
    DeleteRegValue HKLM "Software\Microsoft\Windows\CurrentVersion\Run" "Pausarium"
  ; The current user's settings.
  DeleteRegKey HKCU "Software\Pausarium"
