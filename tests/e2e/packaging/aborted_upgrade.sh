#!/usr/bin/env bash
# An upgrade of the previous release (2.3.0, whose uninstaller deletes the autorun value and the
# settings) that stops after the old uninstaller has run: with a window, a sound that another
# program holds open without sharing cannot be written, and the user answers Abort. The autorun
# value and the settings are written back, and the exit code is not 0.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/installer.sh"
require_previous_release

wine "$previous" /S /AUTORUN >>"$E2E_ARTIFACTS/installer.log" 2>&1
reg_set "$SETTINGS" RegimeType REG_DWORD 2
reg_set "$SETTINGS" ProtectionLevel REG_DWORD 1
before=$(user_data)
holder=$(windows_program hold-unshared '#include <windows.h>
int wmain(int argc, wchar_t **argv) {
  HANDLE file = CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
  if (file == INVALID_HANDLE_VALUE) return 1;
  Sleep(INFINITE);
  return 0;
}')
start_program "$holder" "$WIN_DIR\\Sound\\Notice.wav"
sleep 1

# The wizard's pages, each passed with Enter, until the file error box shows over the wizard
# (both have the installer's title; the box is the low one); there Enter is Abort, and on the
# wizard then Cancel.
wine "$installer" >>"$E2E_ARTIFACTS/installer.log" 2>&1 &
installer_pid=$!
# window_of HEIGHTS: the installer's visible window whose height matches (">200" or "<200").
window_of() {
  local w
  for w in $(xdotool search --onlyvisible --name 'Pausarium' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    (( HEIGHT $1 )) && { echo "$w"; return 0; }
  done
  return 1
}
press_enter() { xdotool windowfocus --sync "$1" 2>/dev/null; sleep 0.3; xdotool key Return; sleep 1.5; }
for _ in $(seq 20); do
  window_of '< 200' >/dev/null && break
  wizard=$(window_of '> 200') && press_enter "$wizard" || sleep 1
done
screenshot packaging-aborted-upgrade-box >/dev/null
check "the wizard shows the file error box" window_of '< 200'
installer_ended() { ! kill -0 "$installer_pid" 2>/dev/null; }
for _ in $(seq 10); do  # Enter on the box while it shows, then on the wizard
  installer_ended && break
  window=$(window_of '< 200' || window_of '> 200') && press_enter "$window" || sleep 1
done
screenshot packaging-aborted-upgrade-end >/dev/null
if installer_ended; then
  wait "$installer_pid"
  check "the aborted upgrade exits non-zero (2)" same "$?" 2
else
  fail "the installer ends after Abort and Cancel"
fi
check "the autorun value and the settings are written back" same "$(user_data)" "$before"
check "the folder keeps an installed-programs entry and its uninstaller, to run again or remove" \
  same "$(reg_get "$UNINSTALL" UninstallString) $(ls "$DIR/Uninstall.exe" 2>/dev/null)" "\"$WIN_DIR\\Uninstall.exe\" $DIR/Uninstall.exe"
stop_programs
rm -rf "$DIR"
reg_del_value "$RUN" Pausarium
reg_del_key "$SETTINGS"
for view in 32 64; do E2E_REG_VIEW=$view reg_del_key "$UNINSTALL"; done
finish
