  ; Registration at log-on for a deployment that installs without anyone at the desktop:
  ; "/S /AUTORUN" writes the autorun value exactly as the setup tool's install button does, the
  ; reminder's full path, in double quotes when it holds a space.
  @PAUSARIUM_REG_VIEW@
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/AUTORUN" $1
  IfErrors autorun_done
    StrCpy $0 "$INSTDIR\Pausarium.exe"
    StrCpy $2 0
  autorun_scan:
    StrCpy $1 $0 1 $2
    StrCmp $1 "" autorun_write
    StrCmp $1 " " 0 autorun_next
      StrCpy $0 '"$0"'
      Goto autorun_write
  autorun_next:
    IntOp $2 $2 + 1
    Goto autorun_scan
  autorun_write:
    WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Run" "Pausarium" $0
  autorun_done:
