#!/usr/bin/env bash
# Installs the package of the build under test silently into the shared prefix, checks the
# installed files, the uninstaller's entry, the Start-menu entry and the programs' resources, lets
# the installed setup tool register the installed reminder, then uninstalls it three times over
# with different autorun values. Then the installer's rules: the folders it refuses, settings for
# every user, an uninstall while the reminder runs, and an upgrade of the previous release while
# its reminder runs.
# The 32-bit build's suite installs the released x86 installer ($E2E_PACKAGE_BUILD is the release
# build): in the 64-bit prefix it goes into "Program Files (x86)", and it and the programs it
# installs write HKLM\SOFTWARE through the 32-bit registry view (WOW6432Node), where the reg_*
# helpers read (E2E_REG_VIEW=32). The 64-bit build's suite installs its own amd64 installer.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/installer.sh"

if [ "$arch" = x86 ]; then WINDRES=i686-w64-mingw32-windres; else WINDRES=x86_64-w64-mingw32-windres; fi
MENU="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Pausarium"
check "the portable zip is made beside the installer" test -f "${installer%.exe}.zip"

# The local path a shell link points at: LinkInfo's LocalBasePath (MS-SHLLINK 2.3), found past
# the header (76 bytes) and, when the link has one (flag 1), the IDList with its 2-byte size.
u16() { od -An -tu2 -j "$2" -N2 "$1" | tr -d ' '; }
u32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }
link_target() {
  local flags offset=76 base
  flags=$(u32 "$1" 20)
  (( flags & 1 )) && offset=$(( offset + 2 + $(u16 "$1" 76) ))
  (( flags & 2 )) || return 1                                # no LinkInfo
  (( $(u32 "$1" $(( offset + 8 ))) & 1 )) || return 1        # no local path in it
  base=$(( offset + $(u32 "$1" $(( offset + 16 ))) ))
  dd if="$1" bs=1 skip="$base" count=260 2>/dev/null | tr '\0' '\n' | head -n 1
}
links() { find "$WINEPREFIX/drive_c" -iname '*.lnk' | sort; }
reg_del_value "$RUN" Pausarium; reg_del_key "$SETTINGS"  # whatever an earlier scenario left

# --- install ---------------------------------------------------------------------------------
links_before=$(links)
processes=$(install_traced)
check "into Program Files the installer leaves the folder's permissions alone" \
  test -z "$(grep -i icacls <<<"$processes")"
new_links=$(comm -13 <(echo "$links_before") <(links))
for f in Pausarium.exe PausariumSetup.exe Uninstall.exe \
         Sound/Notice.wav Sound/LastNotice.wav Sound/SysLock.wav Sound/SysOpen.wav; do
  check "installed: $f" test -f "$DIR/$f"
done
check "the uninstaller is registered" same "$(reg_get "$UNINSTALL" UninstallString)" "\"$WIN_DIR\\Uninstall.exe\""
check "the entry is called Pausarium" same "$(reg_get "$UNINSTALL" DisplayName)" "Pausarium"
check "a Start-menu entry for the setup tool" test -f "$MENU/Pausarium Setup.lnk"
check "its target is the installed setup tool" same "$(link_target "$MENU/Pausarium Setup.lnk")" "$WIN_DIR\\PausariumSetup.exe"
while IFS= read -r link; do
  check "the target of ${link#"$WINEPREFIX/"} exists" test -f "$(unix_path "$(link_target "$link")")"
done <<<"$new_links"
check "the installer registers nothing for autorun" same "$(reg_get "$RUN" Pausarium)" ""
if [ "$arch" = x86 ]; then
  check "the installed-programs entry lies in the 32-bit view (WOW6432Node)" \
    same "$(E2E_REG_VIEW=64 reg_get 'HKLM\Software\WOW6432Node\Microsoft\Windows\CurrentVersion\Uninstall\Pausarium' DisplayName)" "Pausarium"
fi

# --- resources of the installed programs -----------------------------------------------------
version_of() { $WINDRES -i "$1" -O rc | tr -d ' ' | awk -F'FILEVERSION' 'NF > 1 { gsub(",", ".", $2); print $2; exit }'; }
language_of() { $WINDRES -i "$1" -O rc | awk '/VALUE "Translation"/ { print $3, $4 }'; }
# The group icon's entry: "width height colours pad", planes, bits.
icon_entry_of() { $WINDRES -i "$1" -O rc | awk '/Element no 1/ { print $1, $2, $3; exit }'; }
check "reminder version 2.3.0.7" same "$(version_of "$DIR/Pausarium.exe")" "2.3.0.7"
check "setup tool version 2.3.0.2" same "$(version_of "$DIR/PausariumSetup.exe")" "2.3.0.2"
for exe in Pausarium.exe PausariumSetup.exe; do
  check "$exe: Russian, code page 1251" same "$(language_of "$DIR/$exe")" "0x419, 1251"
  check "$exe: icon 32 x 32 in 16 colours" same "$(icon_entry_of "$DIR/$exe")" '"\040\040\020\000", 1, 4,'
done
check "reminder runs as invoked" grep -qa 'requestedExecutionLevel level="asInvoker"' "$DIR/Pausarium.exe"
check "setup tool asks for the highest available rights" \
  grep -qa 'requestedExecutionLevel level="highestAvailable"' "$DIR/PausariumSetup.exe"

# --- the installed setup tool registers the installed reminder ---------------------------------
# The install button lies at (12, 40) in the dialog's client area, 245 x 21 (the setup window's
# design). Without a window manager Wine's X window is the 269-pixel-wide client area itself;
# with one, the frame is taken off the width.
register_with_setup_tool() {
  start_program "$DIR/PausariumSetup.exe"
  local window
  setup_shown_or_ended() { [ -n "$(visible_window_by_title '^Pausarium v2.3 Setup$')" ] || ! program_running; }
  wait_for 15 setup_shown_or_ended
  if [ -z "$(visible_window_by_title '^Pausarium v2.3 Setup$')" ]; then
    fail "the installed PausariumSetup.exe shows its dialog"
    stop_programs; return 1
  fi
  window=$(visible_window_by_title '^Pausarium v2.3 Setup$')
  eval "$(xdotool getwindowgeometry --shell "$window")"
  local frame=$(( (WIDTH - 269) / 2 ))
  click $((X + frame + 134)) $((Y + frame + 50))
  autorun_written() { [ -n "$(reg_get "$RUN" Pausarium)" ]; }
  wait_for 10 autorun_written
  screenshot packaging-setup-registered >/dev/null
  # Stored bare or, since the path holds a space, in double quotes.
  local value; value=$(reg_get "$RUN" Pausarium)
  check "the installed setup tool registers the installed reminder" \
    same "${value//\"/}" "$WIN_DIR\\Pausarium.exe"
  setup_tool_value=$value
  check "and writes the settings" same "$(reg_get "$SETTINGS" RegimeType)" "0x1"
  if [ "$arch" = x86 ]; then  # where 64-bit Windows keeps a 32-bit program's autorun value
    check "the autorun value lies in WOW6432Node, not in the 64-bit Run key" same \
      "$(E2E_REG_VIEW=64 reg_get 'HKLM\Software\WOW6432Node\Microsoft\Windows\CurrentVersion\Run' Pausarium)/$(E2E_REG_VIEW=64 reg_get "$RUN" Pausarium)" \
      "$value/"
  fi
  stop_programs
}

# --- uninstall: own autorun value (as the setup tool wrote it, else bare) and settings key ----------------------------
if ! register_with_setup_tool; then
  reg_set "$RUN" Pausarium REG_SZ "$WIN_DIR\\Pausarium.exe"
  reg_set "$SETTINGS" RegimeType REG_DWORD 1
  reg_set "$SETTINGS" ProtectionLevel REG_DWORD 0
fi
uninstall_silently
for f in Pausarium.exe PausariumSetup.exe Uninstall.exe Sound; do
  check "removed: $f" test ! -e "$DIR/$f"
done
check "the uninstaller's entry is gone" reg_no_key "$UNINSTALL"
while IFS= read -r link; do
  check "removed: ${link#"$WINEPREFIX/"}" test ! -e "$link"
done <<<"$new_links"
check "own autorun value removed" same "$(reg_type "$RUN" Pausarium)" ""
check "the settings key is removed" reg_no_key "$SETTINGS"

# --- own autorun value stored in double quotes --------------------------------------------------
install_silently
reg_set "$RUN" Pausarium REG_SZ "\"$WIN_DIR\\Pausarium.exe\""
uninstall_silently
check "own autorun value (quoted) removed" same "$(reg_type "$RUN" Pausarium)" ""

# --- /AUTORUN: the value the setup tool's install button writes ---------------------------------
install_silently /AUTORUN
check "/S /AUTORUN registers the installed reminder, quoted as the path holds a space" \
  same "$(reg_get "$RUN" Pausarium)" "\"$WIN_DIR\\Pausarium.exe\""
check "in the same form as the setup tool" same "$(reg_get "$RUN" Pausarium)" "${setup_tool_value:-"\"$WIN_DIR\\Pausarium.exe\""}"
check "as REG_SZ" same "$(reg_type "$RUN" Pausarium)" REG_SZ
uninstall_silently
check "its autorun value goes with the uninstall" same "$(reg_type "$RUN" Pausarium)" ""

# --- a new folder outside Program Files: protected like Program Files ---------------------------
# Wine's icacls changes nothing, so its command lines are what can be checked here.
custom='C:\Tools\Pausarium'  # /D takes no quotes, and wine quotes an argument with a space
processes=$(install_traced "/D=$custom")
check "installed into the chosen folder" test -f "$(unix_path "$custom")/Pausarium.exe"
for args in '/reset /T /C /Q' '/setowner *S-1-5-32-544 /T /C /Q' \
    '/inheritance:r /grant:r *S-1-5-32-544:(OI)(CI)F *S-1-5-18:(OI)(CI)F *S-1-5-32-545:(OI)(CI)RX /Q'; do
  check "the chosen folder: icacls $args" grep -qF "icacls.exe\" \"$custom\" $args" <<<"$processes"
done

# --- an uninstall while the reminder runs: the rest goes at the next restart -------------------
# Run in place (_?=, which must not be quoted), the uninstaller waits and returns its result;
# wine hands on its low byte (3010 & 255 = 194).
start_program "$(unix_path "$custom")/Pausarium.exe"
wait_for 30 probe state  # its window made: the program's file is in use
check "the uninstaller, with the reminder running, returns 3010 (restart needed)" \
  same "$(exit_code uninstall_in_place "$custom")" 194
check "the reminder's name is free" test ! -e "$(unix_path "$custom")/Pausarium.exe"
check "the other files are gone" test ! -e "$(unix_path "$custom")/Sound"
pending=$(pending_renames)
check "the reminder's moved file goes at the next restart" grep -qF "$custom\\Pausarium.exe.old1\\0" <<<"$pending"
check "and so does the folder" grep -qF "$custom\\\\0" <<<"$pending"
check "the reminder keeps running" program_running
stop_programs
rm -rf "$(unix_path "$custom")"

# --- existing folders that are not Pausarium's, drive roots and the Windows folder: refused -----
mkdir -p "$WINEPREFIX/drive_c/Shared/docs"
echo "a user's document" >"$WINEPREFIX/drive_c/Shared/docs/report.txt"
before=$(ls -lR --time-style=+%s "$WINEPREFIX/drive_c/Shared")
processes=$(install_traced '/D=C:\Shared')
check "a folder with other files is refused with exit code 2" grep -qx 'exit code 2' <<<"$processes"
check "its permissions are left alone" test -z "$(grep -i icacls <<<"$processes")"
check "its content is untouched" same "$(ls -lR --time-style=+%s "$WINEPREFIX/drive_c/Shared")" "$before"
for folder in 'C:\' 'C:\windows\Pausarium'; do
  check "/D=$folder is refused with exit code 2" same "$(exit_code install_silently "/D=$folder")" 2
done
check "nothing was installed" reg_no_key "$UNINSTALL"

# --- settings for every user at the next log-on (Active Setup) ---------------------------------
for switches in /REGIME=3 /PROTECTION=2 /REGIME=one; do
  check "$switches is refused with exit code 2" same "$(exit_code install_silently "$switches")" 2
done
check "and nothing was installed" reg_no_key "$UNINSTALL"
check "/REGIME=2 /PROTECTION=1 installs" same "$(exit_code install_silently /REGIME=2 /PROTECTION=1)" 0
# In the computer's native view: the 64-bit one in this prefix, for either installer.
check "an Active Setup component for every user" test -n "$(E2E_REG_VIEW=64 reg_get "$ACTIVE_SETUP" StubPath)"
reg_del_key "$SETTINGS"
run_active_setup_stub
check "a user with no settings gets the regime" same "$(reg_get "$SETTINGS" RegimeType)" 0x2
check "and the protection level" same "$(reg_get "$SETTINGS" ProtectionLevel)" 0x1
reg_set "$SETTINGS" RegimeType REG_DWORD 0
reg_set "$SETTINGS" ProtectionLevel REG_DWORD 0
run_active_setup_stub
check "a user with settings keeps them" \
  same "$(reg_get "$SETTINGS" RegimeType)/$(reg_get "$SETTINGS" ProtectionLevel)" 0x0/0x0
uninstall_silently
check "the uninstall removes the component" same "$(E2E_REG_VIEW=64 reg_get "$ACTIVE_SETUP" StubPath)" ""

# --- an autorun value of another directory, whose name merely begins the same -------------------
install_silently
other="C:\\$program_files\\Pausarium2\\Pausarium.exe"
reg_set "$RUN" Pausarium REG_SZ "$other"
uninstall_silently
check "another directory's autorun value is left alone" same "$(reg_get "$RUN" Pausarium)" "$other"
reg_del_value "$RUN" Pausarium

# --- an upgrade of the previous release while its reminder runs ---------------------------------
if previous_release_available; then
  if ! previous=$(previous_release); then
    fail "the previous release's installer is built (see $E2E_ARTIFACTS/previous-release.log)"
  else
    wine "$previous" /S /AUTORUN >>"$E2E_ARTIFACTS/installer.log" 2>&1
    reg_set "$SETTINGS" RegimeType REG_DWORD 2
    reg_set "$SETTINGS" ProtectionLevel REG_DWORD 1
    autorun_before=$(reg_get "$RUN" Pausarium)
    old_uninstaller=$(sha256sum <"$DIR/Uninstall.exe")
    start_program "$DIR/Pausarium.exe"
    wait_for 30 probe state  # its window made: the program's file is in use
    check "the upgrade, with the old reminder running, returns 0" same "$(exit_code install_silently)" 0
    check "the autorun value is unchanged" same "$(reg_get "$RUN" Pausarium)" "$autorun_before"
    check "the settings are unchanged" \
      same "$(reg_get "$SETTINGS" RegimeType)/$(reg_get "$SETTINGS" ProtectionLevel)" 0x2/0x1
    staged=$(ls -d "$E2E_PACKAGE_BUILD"/_CPack_Packages/*/NSIS/Pausarium-*-x86)
    while IFS= read -r file; do
      check "the new ${file#"$staged/"} is installed" cmp -s "$file" "$DIR/${file#"$staged/"}"
    done < <(find "$staged" -type f)
    check "the new uninstaller is installed" test "$(sha256sum <"$DIR/Uninstall.exe")" != "$old_uninstaller"
    check "the old reminder is still running" program_running
    stop_programs
    uninstall_silently
    reg_del_key "$SETTINGS"
  fi
fi

finish
