#!/usr/bin/env bash
# The uninstaller's exit code tells the truth about every file. A sound that another program
# holds open without delete sharing can be neither deleted nor renamed aside: the uninstaller
# has Windows delete it at the next restart, under its own name, and says a restart is needed
# (3010). The uninstaller runs in place (_?=, unquoted and last, hence a folder without a space)
# so that its exit code is the result; wine hands on the code's low byte (3010 & 255 = 194).
set -uo pipefail
source "$(dirname "$0")/../lib.sh"

if [ "$E2E_REG_VIEW" = 32 ]; then arch=x86; else arch=x64; fi
UNINSTALL='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pausarium'
SESSION_MANAGER='HKLM\System\CurrentControlSet\Control\Session Manager'
WIN_DIR='C:\Held\Pausarium'
DIR="$WINEPREFIX/drive_c/Held/Pausarium"

cmake --build "$E2E_PACKAGE_BUILD" --target package >"$E2E_ARTIFACTS/package.log" 2>&1 \
  || { echo "FAIL: cmake --build $E2E_PACKAGE_BUILD --target package (see $E2E_ARTIFACTS/package.log)"; exit 1; }
installer=$(ls "$E2E_PACKAGE_BUILD"/Pausarium-*-$arch.exe | head -n 1)
exit_code() { "$@" >>"$E2E_ARTIFACTS/installer.log" 2>&1; echo $?; }
pending() { E2E_REG_VIEW=64 reg_get "$SESSION_MANAGER" PendingFileRenameOperations; }

check "installs into $WIN_DIR" test "$(exit_code wine "$installer" /S "/D=$WIN_DIR")" = 0
E2E_REG_VIEW=64 reg_del_value "$SESSION_MANAGER" PendingFileRenameOperations

start_program "$E2E_HOLD_FILE" "$WIN_DIR\\Sound\\Notice.wav"
held() { grep -qs '^held' "$E2E_ARTIFACTS/$(basename "$E2E_HOLD_FILE").log"; }
check "another program holds Sound\\Notice.wav without delete sharing" wait_for 15 held
check "the uninstaller returns 3010 (restart needed)" \
  test "$(exit_code wine "$DIR/Uninstall.exe" /S "_?=$WIN_DIR")" = 194
check "the held file is still there, under its own name" test -f "$DIR/Sound/Notice.wav"
check "and nothing of it was moved aside" test -z "$(find "$DIR" -name '*.old*')"
check "Windows deletes it at the next restart" \
  grep -qF "\\??\\$WIN_DIR\\Sound\\Notice.wav\\0" <<<"$(pending)"
check "the other sounds are gone" \
  test "$(find "$DIR/Sound" -type f)" = "$DIR/Sound/Notice.wav"
check "and so are the programs" test ! -e "$DIR/Pausarium.exe" -a ! -e "$DIR/PausariumSetup.exe"
check "the installed-programs entry is gone" reg_no_key "$UNINSTALL"

stop_programs
rm -rf "$WINEPREFIX/drive_c/Held"
E2E_REG_VIEW=64 reg_del_value "$SESSION_MANAGER" PendingFileRenameOperations
finish
