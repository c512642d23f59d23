#!/usr/bin/env bash
# A desk of three monitors (../three-monitors.sh: one left of the primary, one right of it, each
# of another size), a window manager and Wine's notepad on the right-hand monitor; regime 30/5
# at normal protection. The notices cover the primary only, and notepad stays usable; the lock
# and the key wait lay a black cover over each other monitor, exactly its rectangle; a click and
# typing on the right-hand monitor during the lock reach the lock and never notepad; a click on
# a cover ends the key wait, and every cover goes with the lock.
set -uo pipefail
here=$(dirname "$0")
source "$here/../lib.sh"
source "$here/reminder-lib.sh"
source "$here/../three-monitors.sh"

# The prefix's fixtures end this Xvfb should the scenario be killed (see ../prefix.sh).
if ! start_three_monitor_display 170 "$E2E_BUILD_DIR/e2e-xvfb.pid"; then
  fail "a virtual screen split into three monitors"
  finish
fi
export DISPLAY=$three_monitor_display
# The suite's other scenarios share the prefix: they get it back as they knew it.
restore() {
  stop_programs
  wine_sees_monitors off
  kill "${window_manager_pid:-}" "$three_monitor_xvfb_pid" 2>/dev/null || true
  rm -f "$E2E_BUILD_DIR/e2e-xvfb.pid"
}
trap restore EXIT
stop_programs
wine_sees_monitors on
start_window_manager
trap restore EXIT  # start_window_manager set a trap of its own
desktop=64,96,128
xsetroot -solid "rgb:40/60/80"

# X's rectangles (WxH+X+Y) of the monitors, for screenshots.
left=800x600+0+0 primary=1024x768+800+0 right=640x480+1824+0
pixels() { echo $((${1%%x*} * $(cut -d+ -f1 <<<"${1#*x}"))); }  # pixels of a WxH+X+Y
desk_shown() { [ "$(count_colour "$1" "$desktop" "$2")" -eq "$(pixels "$2")" ]; }
all_black() { [ "$(convert "$1" -crop "$2" +repage png:- | not_black -)" -eq 0 ]; }
# The primary is black but for the lock's text line in the middle and the address label.
primary_black() {
  [ "$(convert "$1" -crop "$primary" +repage -fill black -draw 'rectangle 0,368 1023,400' \
    -draw 'rectangle 920,0 1023,14' png:- | not_black -)" -eq 0 ]
}
whites() { count_colour "$1" 255,255,255 "$2"; }
cover_rects() { cover_lines | sed 's/^cover=\([^ ]*\) .*/\1/' | sort; }
notepad_text() { probe edittext Notepad; }
notepad_has() { [ "$(notepad_text)" = "$1" ]; }
notepad_active() { xdotool getactivewindow getwindowname 2>/dev/null | grep -q 'Блокнот\|Notepad'; }
notepad_window() { first_of xdotool search --onlyvisible --name 'Блокнот|Notepad'; }
lock_reds() { reds "$1" "$primary"; }
green_shown() { [ "$(greens "$(screenshot monitors-key-wait)" "$primary")" -gt 50 ]; }

expected=$(printf 'monitor=%s primary=1\nmonitor=%s primary=0\nmonitor=%s primary=0' "${three_monitor_rects[@]}")
monitors=$(probe monitors)
echo "$monitors"
check "Wine reports the three monitors exactly" [ "$(sort <<<"$monitors")" = "$(sort <<<"$expected")" ]

reg_set "$settings" RegimeType REG_DWORD 0
reg_set "$settings" ProtectionLevel REG_DWORD 0
wine notepad >"$E2E_ARTIFACTS/notepad.log" 2>&1 &
check "notepad opens in the foreground" wait_for 30 notepad_active
pad=$(notepad_window)
xdotool windowsize --sync "$pad" 560 360 windowmove --sync "$pad" 1864 70
sleep 1
eval "$(xdotool getwindowgeometry --shell "$pad")"
# Inside notepad's edit control, clear of its menu, scroll bar and status line.
text_area=$((WIDTH - 60))x$((HEIGHT - 130))+$((X + 20))+$((Y + 60))
text_spot_x=$((X + WIDTH / 2)) text_spot_y=$((Y + HEIGHT / 2))
echo "notepad at ${WIDTH}x$HEIGHT+$X+$Y, its text area $text_area"
xdotool type abc
check "notepad has the keyboard before" wait_for 5 notepad_has abc
shot=$(screenshot monitors-desk)
check "notepad lies on the right-hand monitor" [ "$X" -ge 1824 -a $((X + WIDTH)) -le 2464 -a $((Y + HEIGHT)) -le 480 ]
text_whites=$(whites "$shot" "$text_area")

# --- notices ---------------------------------------------------------------------------------
start_program "$exe"
t0=$SECONDS
check "the window of class TfmMainWindow appears" wait_for 20 window_exists
check "the window is hidden after the first show" wait_for 5 window_hidden
check "no cover at start" no_covers
check "the first notice comes" wait_for 100 window_visible
echo "first notice after $((SECONDS - t0)) s"
check "no cover during a notice" no_covers
# Each notice is hidden for one second only: its picture is read in the key wait, which waits.
notice_shot=$(screenshot monitors-notice)
wait_for 4 window_hidden
check "the second notice" wait_for 4 window_visible
click "$text_spot_x" "$text_spot_y"
xdotool type d
check "during a notice a click and typing on notepad reach notepad" wait_for 3 notepad_has abcd

# --- lock ------------------------------------------------------------------------------------
wait_for 4 window_hidden
check "the last notice" wait_for 4 window_visible
# The covers never come with a notice: a notice counted late cannot pass for the lock.
check "the lock shows" wait_for 8 eval '[ -n "$(cover_lines)" ] && window_visible'
lock_seen=$SECONDS
sleep 0.5
covers=$(cover_lines)
echo "$covers"
check "the lock window covers the primary at 0,0" grep -q " rect=${three_monitor_rects[0]} " <<<"$(window_state)"
check "a cover lies over each other monitor, exactly its rectangle" \
  [ "$(cover_rects)" = "$(printf '%s\n' "${three_monitor_rects[@]:1}" | sort)" ]
check "each cover is a visible, topmost, textless tool popup of the reminder's thread that takes no activation" \
  [ "$(grep -c ' visible=1 topmost=1 toolwindow=1 noactivate=1 popup=1 text=0 samethread=1$' <<<"$covers")" -eq 2 ]
# A screenshot with the lock's text shown (one second in three), kept for the pictures.
lockreds=0
for i in 1 2 3 4 5 6 7 8 9 10 11 12 13 14; do
  shot=$(screenshot monitors-lock-$i)
  lockreds=$(lock_reds "$shot")
  [ "$lockreds" -gt 50 ] && break
  sleep 0.25
done
cp "$shot" "$E2E_ARTIFACTS/reminder-lock-three-monitors.png"
check "the lock's text shows" [ "$lockreds" -gt 50 ]
check "the left monitor is black in the lock" all_black "$shot" "$left"
check "the right monitor is black in the lock, notepad hidden" all_black "$shot" "$right"
check "the primary is black in the lock but for its text" primary_black "$shot"

# The minutes left stay until the blink's next tick, under a second: a click landing just before
# a tick shows them too briefly for a screenshot of emulated Wine, so a few clicks are tried,
# all well inside the 15-second lock: a click in the key wait would end it.
shown=0
for i in 1 2 3; do
  [ $((SECONDS - lock_seen)) -lt 10 ] || break
  click "$text_spot_x" "$text_spot_y"
  for j in 1 2; do
    r=$(lock_reds "$(screenshot monitors-lock-click-$i-$j)")
    [ "$r" -gt 50 ] && [ "$r" -ne "$lockreds" ] && { shown=1; break 2; }
  done
done
check "a click on notepad's place shows the lock's minutes left" [ $shown -eq 1 ]
xdotool type xyz
sleep 1
check "the click and the keys during the lock never reach notepad" notepad_has abcd
check "notepad does not come to the foreground" eval '! notepad_active'
check "the lock stays" window_visible

# --- key wait --------------------------------------------------------------------------------
check "the key wait comes after the break" wait_for 20 green_shown
echo "key wait after $((SECONDS - t0)) s"
check "the notice shows on the primary" [ "$(greens "$notice_shot" "$primary")" -gt 100 ]
check "the left monitor keeps its desktop during a notice" desk_shown "$notice_shot" "$left"
check "notepad stays as it was during a notice" \
  [ "$(whites "$notice_shot" "$text_area")" -ge $((text_whites - 20)) ]
shot=$(screenshot monitors-key-wait-covered)
check "the covers stay through the key wait" [ "$(cover_rects)" = "$(printf '%s\n' "${three_monitor_rects[@]:1}" | sort)" ]
check "the other monitors are black in the key wait" eval 'all_black "$shot" "$left" && all_black "$shot" "$right"'
click 400 300  # the middle of the left monitor
check "a click on a cover ends the key wait" wait_for 3 window_hidden
check "every cover goes with the lock" wait_for 3 no_covers
sleep 0.5
shot=$(screenshot monitors-after)
check "the left monitor shows its desktop again" desk_shown "$shot" "$left"
check "notepad shows again" [ "$(whites "$shot" "$text_area")" -ge $((text_whites - 20)) ]
check "the program goes on" program_running
echo "scenario took $((SECONDS - t0)) s from the reminder's start"
stop_programs
reg_del_key "$settings"
finish
