#!/usr/bin/env bash
# A site that switches its package's architecture: the x86 installer, then the x64 one over it,
# then the x86 one again, in one 64-bit prefix. Each keeps its installed-programs entry and its
# autorun value in its own registry view (the x86 one in WOW6432Node); after each install there
# is one entry, one autorun value naming the installed reminder, the settings as they were, and
# the Active Setup component that both share. $E2E_OTHER_PACKAGE_BUILD is the x86_64 release
# build; without it the scenario is skipped.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/installer.sh"
if [ "$arch" != x86 ]; then echo "SKIPPED: runs in the i686 suite, with the x86 installer"; finish; fi
if [ ! -f "${E2E_OTHER_PACKAGE_BUILD:-}/CMakeCache.txt" ]; then
  echo "SKIPPED: no x86_64 release build (cmake --preset x86_64) for the x64 installer"; finish
fi
x86=$installer
x64=$(package_of "$E2E_OTHER_PACKAGE_BUILD" x64) || { echo "$x64"; exit 1; }
echo "other installer: $x64"

X86_DIR='C:\Program Files (x86)\Pausarium'
X64_DIR='C:\Program Files\Pausarium'
# in_view VIEW: the installed-programs entry's uninstaller and the autorun value in that view.
in_view() { echo "$(E2E_REG_VIEW=$1 reg_get "$UNINSTALL" UninstallString) $(E2E_REG_VIEW=$1 reg_get "$RUN" Pausarium)"; }
settings() { echo "$(reg_get "$SETTINGS" RegimeType)/$(reg_get "$SETTINGS" ProtectionLevel)"; }
component() { E2E_REG_VIEW=64 reg_get "$ACTIVE_SETUP" StubPath | grep -o 'RegimeType /d [0-9]'; }
run_silently() { wine "$1" /S "${@:2}" >>"$E2E_ARTIFACTS/installer.log" 2>&1; }

check "the x86 installer installs with /AUTORUN /REGIME=2" same "$(exit_code run_silently "$x86" /AUTORUN /REGIME=2)" 0
reg_set "$SETTINGS" RegimeType REG_DWORD 0
reg_set "$SETTINGS" ProtectionLevel REG_DWORD 1

# switch_to NAME INSTALLER VIEW DIR OLD_DIR: the NAME installer over the installation in OLD_DIR.
switch_to() {
  check "the $1 installer over the installation in $5 exits 0" same "$(exit_code run_silently "$2")" 0
  check "one entry and one autorun value, in the $3-bit view, naming $4" \
    same "$(in_view "$3") | $(in_view $((96 - $3)))" "\"$4\\Uninstall.exe\" \"$4\\Pausarium.exe\" |  "
  check "$5 is gone" test ! -e "$(unix_path "$5")"
  check "the settings stay" same "$(settings)" 0x0/0x1
  check "the Active Setup component stays" same "$(component)" "RegimeType /d 2"
}
switch_to x64 "$x64" 64 "$X64_DIR" "$X86_DIR"
switch_to x86 "$x86" 32 "$X86_DIR" "$X64_DIR"

# --- an installation in a folder of its own is upgraded in that folder ----------------------------
custom='C:\Apps\Pausarium'
run_silently "$x86" "/D=$custom"
check "the x64 installer over an x86 installation in $custom exits 0" same "$(exit_code run_silently "$x64")" 0
check "and installs there" \
  same "$(in_view 64) | $(in_view 32)" "\"$custom\\Uninstall.exe\" $custom\\Pausarium.exe |  "
run_silently "$x86"
check "and the x86 installer back there too" \
  same "$(in_view 32) | $(in_view 64)" "\"$custom\\Uninstall.exe\" $custom\\Pausarium.exe |  "
# A /D that names the default folder is the administrator's choice (through cmd /c, unquoted).
wine cmd /c "$(winepath -w "$x64") /S /D=$X64_DIR" >>"$E2E_ARTIFACTS/installer.log" 2>&1
check "the x64 installer with /D=$X64_DIR installs there" \
  same "$(in_view 64) | $(in_view 32)" "\"$X64_DIR\\Uninstall.exe\" \"$X64_DIR\\Pausarium.exe\" |  "
run_silently "$x86" "/D=$custom"

# --- an uninstall while the other view still holds an entry (two installations of older releases):
# the settings and the component serve the other one too ---------------------------------------
E2E_REG_VIEW=64 reg_set "$UNINSTALL" UninstallString REG_SZ "\"$X64_DIR\\Uninstall.exe\""
mkdir -p "$(unix_path "$X64_DIR")" && touch "$(unix_path "$X64_DIR")/Uninstall.exe"
uninstall_in_place "$custom"
check "an uninstall leaves the settings and the component to the other installation" \
  same "$(settings) $(component)" "0x0/0x1 RegimeType /d 2"
E2E_REG_VIEW=64 reg_del_key "$UNINSTALL"
rm -rf "$WINEPREFIX/drive_c/Apps" "$(unix_path "$X64_DIR")"

# An entry of the other view whose uninstaller is gone is no installation, and goes.
E2E_REG_VIEW=64 reg_set "$UNINSTALL" UninstallString REG_SZ '"C:\Gone\Pausarium\Uninstall.exe"'
run_silently "$x86"
check "the x86 installer removes the other view's entry whose uninstaller is gone" same "$(in_view 64)" " "
uninstall_silently
check "the uninstall leaves no entry and no autorun value in either view" \
  same "$(in_view 32)|$(in_view 64)" " | "
check "and removes the settings and the component" same "$(settings) $(component)" "/ "
finish
