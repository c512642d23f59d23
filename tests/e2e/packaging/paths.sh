#!/usr/bin/env bash
# The install folder as an administrator's command line gives it: a path with "..", whose folder
# rules apply to the folder it names; a /D that the installer does not take, quoted as a
# deployment tool or a launcher quotes it, refused rather than replaced. The command lines go
# through cmd /c, as a deployment tool's would, so that the path reaches the installer unquoted
# (wine itself quotes an argument with a space).
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/installer.sh"

# through_cmd ARGUMENTS: the installer run silently by cmd /c with that text after /S.
through_cmd() { wine cmd /c "$(winepath -w "$installer") /S $1"; }
nothing_installed() { reg_no_key "$UNINSTALL" && test ! -e "$DIR"; }
reg_del_value "$RUN" Pausarium

# --- ".." out of Program Files: the folder it names gets the protection --------------------------
real='C:\Tools\Pausarium'
processes=$(traced through_cmd "/AUTORUN /D=C:\\$program_files\\..\\Tools\\Pausarium")
check "/D=C:\\$program_files\\..\\Tools\\Pausarium installs, exit code 0" grep -qx 'exit code 0' <<<"$processes"
check "into $real" test -f "$(unix_path "$real")/Pausarium.exe"
check "its permissions are restricted (icacls on $real)" \
  grep -qF "icacls.exe\" \"$real\" /inheritance:r" <<<"$processes"
check "the installed-programs entry names $real" \
  same "$(reg_get "$UNINSTALL" UninstallString)" "\"$real\\Uninstall.exe\""
check "and so does the autorun value" same "$(reg_get "$RUN" Pausarium)" "$real\\Pausarium.exe"
uninstall_in_place "$real"
rm -rf "$WINEPREFIX/drive_c/Tools"

# --- a short (8.3) name of Program Files: Program Files, left as it is ------------------------------
short=$(wine "$(windows_program short-name '#include <windows.h>
#include <stdio.h>
int wmain(int argc, wchar_t **argv) {
  wchar_t name[MAX_PATH];
  if (argc != 2 || !GetShortPathNameW(argv[1], name, MAX_PATH)) return 1;
  wprintf(L"%ls", name);
  return 0;
}')" "C:\\$program_files" | tr -d '\r')
processes=$(install_traced "/D=$short\\Pausarium")
check "/D=$short\\Pausarium installs, exit code 0" grep -qx 'exit code 0' <<<"$processes"
check "into Program Files, whose permissions it leaves alone" test -z "$(grep -i icacls <<<"$processes")"
check "the installed-programs entry names the long path" \
  same "$(reg_get "$UNINSTALL" UninstallString)" "\"$WIN_DIR\\Uninstall.exe\""
uninstall_silently

# --- ".." into the Windows folder: refused ----------------------------------------------------
check "/D=C:\\$program_files\\..\\windows\\Pausarium is refused with exit code 2" \
  same "$(exit_code through_cmd "/D=C:\\$program_files\\..\\windows\\Pausarium" 2>/dev/null)" 2
check "and nothing is made there" test ! -e "$WINEPREFIX/drive_c/windows/Pausarium"

# --- a device path ("\\?\", taken as it is, ".." and all): refused ----------------------------------
check '/D=\\?\C:\windows\Pausarium is refused with exit code 2' \
  same "$(exit_code install_silently '/D=\\?\C:\windows\Pausarium')" 2
check "and nothing is made there" test ! -e "$WINEPREFIX/drive_c/windows/Pausarium"

# --- a quoted /D: refused, not replaced by the default folder ------------------------------------
find "$WINEPREFIX/drive_c/users" -name Pausarium-setup.log -delete
check '/D="C:\Some Dir\Pausarium" is refused with exit code 2' \
  same "$(exit_code through_cmd '/D="C:\Some Dir\Pausarium"' 2>/dev/null)" 2
check 'the whole /D quoted, as a launcher passes an argument with a space: exit code 2' \
  same "$(exit_code install_silently '/D=C:\Some Dir\Pausarium')" 2
check "nothing was installed, in the default folder or elsewhere" nothing_installed
check "no folder was made" test ! -e "$WINEPREFIX/drive_c/Some Dir"
log=$(find "$WINEPREFIX/drive_c/users" -name Pausarium-setup.log | head -n 1)
check "the reason is in the log, \$TEMP\\Pausarium-setup.log" grep -q '/D' "$log"

# --- a switch after /D, which NSIS would take as part of the folder: refused -----------------------
check '/D=C:\Other\Pausarium /AUTORUN is refused with exit code 2' \
  same "$(exit_code install_silently '/D=C:\Other\Pausarium' /AUTORUN)" 2
check "nothing was installed" test ! -e "$WINEPREFIX/drive_c/Other"
check "the log names what followed /D" grep -q 'Pausarium /AUTORUN' "$log"

finish
