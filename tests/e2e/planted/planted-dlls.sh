#!/usr/bin/env bash
# A stranger's DLL planted beside both programs under the names of the system DLLs they load,
# directly or through Windows' own DLLs, that are not KnownDLLs. Wine is told to take a DLL of
# such a name from the program's folder before its own, as Windows searches for it. The setup
# tool opens, the reminder shows a notice with its sound and opens the address on a click, and
# the planted DLL is never loaded.
set -uo pipefail
here=$(dirname "$0")
source "$here/../lib.sh"
source "$here/../reminder/reminder-lib.sh"

planted=(comctl32 uxtheme winmm msacm32 dwmapi)
dir=$E2E_ARTIFACTS/planted
marker=$dir/planted-loaded.txt
rm -rf "$dir"; cp -r "$E2E_INSTALL_DIR" "$dir"
for name in "${planted[@]}"; do cp "$E2E_PLANTED_DLL" "$dir/$name.dll"; done
export WINEDLLOVERRIDES="$(IFS=,; echo "${planted[*]}")=n,b;mscoree,mshtml="
exe=$dir/Pausarium.exe

# The setup tool: its window opens (its track bar needs comctl32), and closes again.
start_program "$dir/PausariumSetup.exe"
check "the setup tool opens" wait_for 30 visible_window_by_title '^Pausarium v2.3 Setup$'
screenshot planted-setup >/dev/null
probe close
check "the setup tool closes" wait_for 10 program_ended

# The reminder, its loads logged: the first notice with its sound, then a click on the address.
reg_set "$settings" RegimeType REG_DWORD 0
reg_set "$settings" ProtectionLevel REG_DWORD 0
WINEDEBUG=+loaddll start_program "$exe"
log=$E2E_ARTIFACTS/Pausarium.exe.log
check "the reminder starts and hides" eval 'wait_for 20 window_exists && wait_for 10 window_hidden'
check "the first notice shows" wait_for 100 window_visible
width=$(screen_size); width=${width%x*}
xdotool mousemove $((width - 40)) 6 click 1
# loaded NAME: Wine's own NAME.dll (from the system directory) is in the log.
loaded() { grep -qi "\\\\$1\.dll\" at .*: builtin" "$log"; }
check "the notice's sound loads winmm and msacm32" wait_for 10 eval 'loaded winmm && loaded msacm32'
check "the click on the address starts the browser" wait_for 10 grep -q 'winebrowser\.exe"' "$log"
screenshot planted-notice >/dev/null
check "the reminder still runs" program_running
stop_programs

if [ -f "$marker" ]; then
  echo "planted DLLs loaded:"; tr -d '\r' <"$marker" | sed 's/^/  /'
fi
check "no planted DLL was loaded" test ! -f "$marker"
reg_del_key "$settings"
finish
