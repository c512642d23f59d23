#!/usr/bin/env bash
# 32-bit Windows, which has one registry view: the x86 installer in a throwaway 32-bit prefix
# (WINEARCH=win32). /AUTORUN, /REGIME and /PROTECTION give the autorun value and the Active Setup
# component, whose command gives a user without settings the administrator's values. A reinstall
# after an uninstall gives the component a newer version, so that Windows runs it again for every
# user, who may have run the older one already.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
export WINEPREFIX=$E2E_BUILD_DIR/e2e-win32-prefix WINEARCH=win32
source "$(dirname "$0")/installer.sh"
if [ "$arch" != x86 ]; then echo "SKIPPED: runs in the i686 suite, with the x86 installer"; finish; fi
WIN_DIR='C:\Program Files\Pausarium'
DIR=$(unix_path "$WIN_DIR")
rm -rf "$WINEPREFIX"
trap 'wineserver -k 2>/dev/null; rm -rf "$WINEPREFIX"' EXIT
wineboot -i >/dev/null 2>&1; wineserver -w
check "a 32-bit prefix: no SysWOW64" test -d "$WINEPREFIX/drive_c/windows/system32" -a ! -e "$WINEPREFIX/drive_c/windows/syswow64"

version() { reg_get "$ACTIVE_SETUP" Version; }
check "/S /AUTORUN /REGIME=1 /PROTECTION=0 installs, exit code 0" \
  same "$(exit_code install_silently /AUTORUN /REGIME=1 /PROTECTION=0)" 0
check "into Program Files" test -f "$DIR/Pausarium.exe"
check "the autorun value names it" same "$(reg_get "$RUN" Pausarium)" "\"$WIN_DIR\\Pausarium.exe\""
check "the Active Setup component is there" same "$(reg_get "$ACTIVE_SETUP" IsInstalled)" 0x1
first=$(version)
reg_del_key "$SETTINGS"
run_active_setup_stub 32
check "its command gives a user without settings the regime and protection level" \
  same "$(reg_get "$SETTINGS" RegimeType)/$(reg_get "$SETTINGS" ProtectionLevel)" 0x1/0x0

uninstall_silently
check "the uninstall removes the component" same "$(version)" ""
sleep 1
install_silently /REGIME=1
# "year,month*100+day,hour*100+minute,second": compared part by part, as numbers.
newer() { printf '%s\n%s\n' "$1" "$2" | tr ',' '.' | sort -C -V && [ "$1" != "$2" ]; }
check "a reinstall gives the component a newer version ($first, then $(version))" newer "$first" "$(version)"
uninstall_silently
finish
