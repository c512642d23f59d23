#!/usr/bin/env bash
# An upgrade of the previous release (2.3.0, whose uninstaller deletes the autorun value and the
# settings) into another folder. First with an icacls that fails, as on a FAT32 or exFAT volume or
# a share where permissions cannot be set: the installer stops with a non-zero exit code and the
# installed version, its autorun value and the settings stay as they were. Then for real, while
# the old reminder runs: what stays of the old folder goes at the next restart.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/installer.sh"
require_previous_release

moved='C:\Tools\Pausarium'
wine "$previous" /S /AUTORUN >>"$E2E_ARTIFACTS/installer.log" 2>&1
reg_set "$SETTINGS" RegimeType REG_DWORD 2
reg_set "$SETTINGS" ProtectionLevel REG_DWORD 1
before=$(user_data)
check "the previous release is installed, with its autorun value" test -n "$(reg_get "$RUN" Pausarium)"

# --- icacls fails: nothing is lost ------------------------------------------------------------
# The x86 installer's system folder is SysWOW64 in this prefix; a real program there runs in
# place of Wine's built-in icacls.
icacls="$WINEPREFIX/drive_c/windows/syswow64/icacls.exe"
drive_before=$(ls "$WINEPREFIX/drive_c")
mv "$icacls" "$icacls.wine"
cp "$(windows_program failing-icacls 'int wmain(void) { return 1; }')" "$icacls"
check "the moved upgrade, with icacls failing, exits non-zero (2)" \
  same "$(exit_code install_silently "/D=$moved")" 2
mv -f "$icacls.wine" "$icacls"
check "the installed version stays" test -f "$DIR/Pausarium.exe" -a -f "$DIR/Uninstall.exe"
check "with its installed-programs entry" same "$(reg_get "$UNINSTALL" UninstallString)" "\"$WIN_DIR\\Uninstall.exe\""
check "the autorun value and the settings stay" same "$(user_data)" "$before"
check "the new folder is not left behind" same "$(ls "$WINEPREFIX/drive_c")" "$drive_before"

# --- the moved upgrade while the old reminder runs ---------------------------------------------
start_program "$DIR/Pausarium.exe"
wait_for 30 probe state  # its window made: the program's file is in use
check "the moved upgrade, with the old reminder running, exits 0" \
  same "$(exit_code install_silently "/D=$moved")" 0
check "the new version is in $moved" test -f "$(unix_path "$moved")/Pausarium.exe"
check "the autorun value names it, the settings stay" \
  same "$(user_data)" "$moved\\Pausarium.exe 0x2/0x1"
pending=$(pending_renames)
check "the old reminder, still running, goes at the next restart" \
  grep -qF "$WIN_DIR\\Pausarium.exe.old1\\0" <<<"$pending"
check "and so does the old folder" grep -qF "$WIN_DIR\\\\0" <<<"$pending"
check "nothing else of the old version is left" same "$(cd "$DIR" && find . -type f)" "./Pausarium.exe.old1"
stop_programs

# --- an entry that spells the folder otherwise (".."), as a path given so was stored: the same folder,
# kept as the installer protected it, not removed as an old one and made again -------------------
reg_set "$UNINSTALL" UninstallString REG_SZ "\"C:\\$program_files\\..\\Tools\\Pausarium\\Uninstall.exe\""
chmod +t "$(unix_path "$moved")"  # a mark that Windows does not see, and that a folder made again lacks
check "an upgrade over the entry that spells $moved with \"..\" exits 0" same "$(exit_code install_silently)" 0
check "and keeps the folder itself" test -k "$(unix_path "$moved")" -a -f "$(unix_path "$moved")/Pausarium.exe"
uninstall_in_place "$moved"
rm -rf "$WINEPREFIX/drive_c/Tools" "$DIR"
reg_del_key "$SETTINGS"
finish
