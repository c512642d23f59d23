#!/usr/bin/env bash
# The keyboard on a user's desktop (a window manager, Wine's notepad in the foreground, keys
# typed with xdotool and aimed at no window): regime 30/5 at raised protection; keys typed
# during the lock reach the lock and never notepad, a plain key ends the key wait, and typing
# afterwards goes on in notepad.
set -uo pipefail
here=$(dirname "$0")
source "$here/../lib.sh"
source "$here/reminder-lib.sh"

start_window_manager
size=$(screen_size)
label=$(address_crop "$size")
xdotool mousemove $((${size%x*} / 2)) $((${size#*x} / 2))  # off the label, which it would light
notepad_text() { probe edittext Notepad; }
notepad_has() { [ "$(notepad_text)" = "$1" ]; }
notepad_active() { xdotool getactivewindow getwindowname 2>/dev/null | grep -q 'Блокнот\|Notepad'; }
lit() { [ "$(blues "$(screenshot "$1")" "$label")" -gt 30 ]; }
green_shown() { [ "$(greens "$(screenshot keyboard-key-wait)")" -gt 50 ]; }

reg_set "$settings" RegimeType REG_DWORD 0
reg_set "$settings" ProtectionLevel REG_DWORD 1
wine notepad >"$E2E_ARTIFACTS/notepad.log" 2>&1 &
check "notepad opens in the foreground" wait_for 30 notepad_active
sleep 1
xdotool type abc
check "notepad has the keyboard before" wait_for 5 notepad_has abc

start_program "$exe"
t0=$SECONDS
check "the window of class TfmMainWindow appears" wait_for 20 window_exists
check "the window is hidden after the first show" wait_for 5 window_hidden
check "the first notice comes" wait_for 100 window_visible
for notice in 1 2 3; do
  wait_for 4 window_hidden
  [ $notice -lt 3 ] && wait_for 4 window_visible
done
check "the lock shows" wait_for 4 window_visible
echo "lock after $((SECONDS - t0)) s"
sleep 1
xdotool type xyz
check "keys typed during the lock reach the lock (its address label lights up)" \
  wait_for 3 lit keyboard-lock-keys
check "keys typed during the lock never reach notepad" notepad_has abc

check "the key wait comes after the break" wait_for 20 green_shown
xdotool key k
check "a plain key ends the key wait" wait_for 3 window_hidden
wait_for 5 notepad_active
xdotool type def
check "typing afterwards reaches notepad again" wait_for 5 notepad_has abcdef
echo "notepad: $(notepad_text)"
stop_programs
reg_del_key "$settings"
finish
