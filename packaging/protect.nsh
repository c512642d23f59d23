  ; Windows starts the reminder for every user, so only the administrators may change the folder
  ; it lies in. Program Files is protected so already; a folder chosen elsewhere (which on C:\ or
  ; another drive lets every user change it) gets the same protection before anything is copied
  ; into it: owned by Administrators, full control for Administrators and SYSTEM, read and run
  ; for Users, nothing inherited from the parent.
  GetFullPathName $0 "$INSTDIR"
  StrLen $2 "$PROGRAMFILES32\"
  StrCpy $1 $0 $2
  StrCmp $1 "$PROGRAMFILES32\" protect_done
  StrLen $2 "$PROGRAMFILES64\"
  StrCpy $1 $0 $2
  StrCmp $1 "$PROGRAMFILES64\" protect_done
    DetailPrint "Restricting changes of $INSTDIR to the administrators"
    ClearErrors
    ExecWait '"$SYSDIR\icacls.exe" "$INSTDIR" /reset /T /C /Q' $1
    IfErrors protect_failed
    StrCmp $1 0 0 protect_failed
    ExecWait '"$SYSDIR\icacls.exe" "$INSTDIR" /setowner *S-1-5-32-544 /T /C /Q' $1
    IfErrors protect_failed
    StrCmp $1 0 0 protect_failed
    ExecWait '"$SYSDIR\icacls.exe" "$INSTDIR" /inheritance:r /grant:r *S-1-5-32-544:(OI)(CI)F *S-1-5-18:(OI)(CI)F *S-1-5-32-545:(OI)(CI)RX /Q' $1
    IfErrors protect_failed
    StrCmp $1 0 protect_done
  protect_failed:
    MessageBox MB_OK|MB_ICONSTOP "The permissions of $INSTDIR could not be restricted to the administrators. Install into Program Files, or into a folder that only administrators may change." /SD IDOK
    Abort
  protect_done:
