; The install folder as it was given (with /D, on the directory page, or by the installed
; version's entry), and the one folder it names. Windows resolves "." and "..", either separator
; and 8.3 short names when it opens a path, so "C:\Program Files (x86)\..\Tools\Pausarium" is
; C:\Tools\Pausarium. The folder rules (folder.nsh) look at the path that Windows will use, and
; the installer installs there.
;
; NSIS takes /D only as the last argument, unquoted, and only when its text is a valid path;
; otherwise it installs, without a word, into the installed version's or the default folder. A /D
; that it did not take is refused instead (exit code 2), before anything changes. So is one that
; it took with a switch in it (NSIS takes all that follows "/D=", "/D=C:\Pm /AUTORUN" included).

Var DirectorySwitchRefusal  ; why the /D on the command line was not taken, or ""
Var DirectorySwitchTaken  ; 1 when NSIS took a /D, so that $INSTDIR is the administrator's choice

; Called first in .onInit, while $INSTDIR is still what NSIS made of the command line. NSIS cuts
; the /D it reads off $CMDLINE (so the command line as Windows gave it is longer) and, when it
; takes it, copies its text unchanged into $INSTDIR. A /D that it never read (quoted as a whole,
; as launchers quote an argument with a space, or in lower case) is still in $CMDLINE.
Function CheckDirectorySwitch
  StrCpy $DirectorySwitchRefusal ""
  StrCpy $DirectorySwitchTaken 0
  ; $0: the command line as Windows gave it; $1: the part NSIS cut off (" /D=" and the folder);
  ; $2: the length of $CMDLINE, then the comparison's result, then a position in $1; $3: a piece
  ; of $CMDLINE or of $1
  System::Call 'kernel32::GetCommandLine() t .r0'
  StrLen $2 $CMDLINE
  StrCpy $1 $0 "" $2
  ${If} $1 != ""
    StrCpy $1 $1 "" 4
    ; The System plug-in's "d" is $INSTDIR as it was set: NSIS drops from every other use of it
    ; the characters a path may not hold, quotes among them.
    System::Call 'kernel32::lstrcmpW(t r1, t d) i .r2'
    ${If} $2 != 0
      StrCpy $DirectorySwitchRefusal "$(DirectorySwitchInvalid)"
      Return
    ${EndIf}
    StrCpy $DirectorySwitchTaken 1
    StrCpy $2 0
    ${Do}
      StrCpy $3 $1 2 $2
      ${If} $3 == " /"
        StrCpy $DirectorySwitchRefusal "$(DirectorySwitchNotLast)"
        ${Break}
      ${EndIf}
      IntOp $2 $2 + 1
    ${LoopUntil} $3 == ""
    Return
  ${EndIf}
  StrLen $2 $CMDLINE
  ${Do}
    IntOp $2 $2 - 1
    ${If} $2 < 0
      ${Break}
    ${EndIf}
    StrCpy $3 $CMDLINE 3 $2
    ${If} $3 == "/D="  ; case-insensitive, as the other switches
      StrCpy $DirectorySwitchRefusal "$(DirectorySwitchUnread)"
      ${Break}
    ${EndIf}
  ${Loop}
FunctionEnd

; Sets $R0 to the full path that Windows makes of the path $R0: "." and ".." resolved,
; backslashes only, the long name of each folder that exists, no trailing backslash (a drive root
; becomes "C:"). A path that Windows cannot resolve is left as it is, for the rules to refuse.
; Uses $R1-$R5.
Function NormalisePath
  ; $R1: the length of a result, 0 on failure; $R2: the full path, then the part of it that
  ; exists, tried from the whole path upwards; $R3: the part below it, each name with its
  ; backslash; $R4: the long form of $R2; $R5: the last name of $R2
  System::Call 'kernel32::GetFullPathNameW(t R0, i ${NSIS_MAX_STRLEN}, t .R2, p 0) i .R1'
  ${If} $R1 = 0
  ${OrIf} $R1 >= ${NSIS_MAX_STRLEN}
    Return
  ${EndIf}
  StrCpy $R0 $R2
  StrCpy $R3 ""
  ${Do}
    StrCpy $R4 $R2 1 -1
    ${If} $R4 == ":"  ; "C:" alone means the current folder of drive C
      StrCpy $R2 "$R2\"
    ${EndIf}
    System::Call 'kernel32::GetLongPathNameW(t R2, t .R4, i ${NSIS_MAX_STRLEN}) i .R1'
    ${If} $R1 <> 0
    ${AndIf} $R1 < ${NSIS_MAX_STRLEN}
      StrCpy $R5 $R4 1 -1
      ${If} $R5 == "\"
        StrCpy $R4 $R4 -1
      ${EndIf}
      StrCpy $R0 "$R4$R3"
      ${Break}
    ${EndIf}
    ${GetFileName} $R2 $R5
    ${GetParent} $R2 $R2
    ${If} $R5 == ""
    ${OrIf} $R2 == ""
      ${Break}  ; not even the drive exists: the full path as it is
    ${EndIf}
    StrCpy $R3 "\$R5$R3"
  ${Loop}
  ${Do}
    StrCpy $R4 $R0 1 -1
    ${If} $R4 != "\"
      ${Break}
    ${EndIf}
    StrCpy $R0 $R0 -1
  ${Loop}
FunctionEnd

; Sets $R0 to 1 when the install folder as it was given is a device path ("\\?\C:\...",
; "\\.\C:\...", with either separator): Windows takes such a path as it is, without resolving
; ".." or short names, so no rule could tell which folder it names. Else to 0.
Function IsDevicePath
  ; $R1: the first four characters of the path as it was set (the System plug-in's "d", see
  ; CheckDirectorySwitch); $R2: one of them; $R3: its position
  System::Call 'kernel32::lstrcpynW(t .R1, t d, i 5)'
  StrCpy $R0 1
  ${ForEach} $R3 0 3 + 1
    StrCpy $R2 $R1 1 $R3
    ${If} $R3 = 2
      ${If} $R2 != "?"
      ${AndIf} $R2 != "."
        StrCpy $R0 0
      ${EndIf}
    ${ElseIf} $R2 != "\"
    ${AndIf} $R2 != "/"
      StrCpy $R0 0
    ${EndIf}
  ${Next}
FunctionEnd

; Sets $INSTDIR to the folder it names (see NormalisePath).
Function NormaliseInstallFolder
  ; $R0: the path NSIS took, as it was set (the System plug-in's "d"), then the folder
  System::Call 'kernel32::lstrcpynW(t .R0, t d, i ${NSIS_MAX_STRLEN})'
  Call NormalisePath
  StrCpy $INSTDIR $R0
FunctionEnd
