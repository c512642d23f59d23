#!/usr/bin/env bash
# Two whole break cycles of regime 30/5 on the real window (minute = 3 s): nothing seen at
# start; notices full screen, green text centred, the last one red; the lock blinking red one
# second in three, with no cover window on the single monitor, closing refused by every route, Alt+F4 and other keys only showing the
# remaining minutes and lighting the address label; a click on the label counts as no click on
# the message; the key wait blinking green one second in two and ended by a lone Shift; in the
# second key wait a close request ends the program.
set -uo pipefail
here=$(dirname "$0")
source "$here/../lib.sh"
source "$here/reminder-lib.sh"
start_window_manager

size=$(screen_size); width=${size%x*}; height=${size#*x}
label=$(address_crop "$size")
centre() { xdotool mousemove $((width / 2)) $((height / 2)); }
lit() { [ "$(blues "$(screenshot "$1")" "$label")" -gt 30 ]; }
dark() { [ "$(blues "$(screenshot "$1")" "$label")" -eq 0 ]; }
green_shown() { [ "$(greens "$(screenshot key-wait-poll)")" -gt 50 ]; }
changed_pixels() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }
press() { xdotool key --clearmodifiers "$@"; }
ms() { date +%s%3N; }

reg_set "$settings" RegimeType REG_DWORD 0
reg_set "$settings" ProtectionLevel REG_DWORD 0
centre
base=$(screenshot before-start)
start_program "$exe"
t0=$SECONDS
check "the window of class TfmMainWindow appears" wait_for 20 window_exists
check "title 'Pausarium - 30/5'" grep -q '^title=Pausarium - 30/5 ' <<<"$(window_state)"
seen=0
for i in 1 2 3 4 5 6; do
  [ "$(changed_pixels "$base" "$(screenshot start-$i)")" = 0 ] || seen=1
  sleep 0.5
done
check "nothing is seen at start" [ $seen -eq 0 ]
check "the window is hidden after the first show" window_hidden

# --- notices ---------------------------------------------------------------------------
check "the first notice comes after 27 minutes" wait_for 100 window_visible
echo "first notice after $((SECONDS - t0)) s"
sleep 0.3
notice_shot=$(screenshot notice)
state=$(window_state); echo "notice: $state"
check "the notice covers the screen at 0,0" grep -q " rect=0,0,$width,$height " <<<"$state"
check "the notice is topmost" grep -q ' topmost=1 ' <<<"$state"
# Each notice is hidden for one second only: its picture is read in the key wait, which waits.
check "the notice hides again" wait_for 4 window_hidden
check "the second notice" wait_for 4 window_visible
sleep 0.3
check "the second notice is green" [ "$(greens "$(screenshot notice-2)")" -gt 100 ]
wait_for 4 window_hidden
check "the last notice" wait_for 4 window_visible
sleep 0.3
shot=$(screenshot last-notice)
check "the last notice is red" [ "$(reds "$shot")" -gt 100 -a "$(greens "$shot")" -eq 0 ]

# --- lock --------------------------------------------------------------------------------
wait_for 4 window_hidden
check "the lock shows" wait_for 4 window_visible
lock_seen=$(ms)
sleep 0.5
on=0; off=0; lockreds=0
while read -r r g; do
  if [ "$r" -gt 50 ]; then on=$((on + 1)); lockreds=$r; else off=$((off + 1)); fi
  [ "$g" -eq 0 ] || fail "green in the lock"
done < <(samples lock 14)
echo "lock text shown in $on of $((on + off)) samples"
check "the lock text blinks red about one second in three" [ $on -ge 2 -a $on -le $(((on + off) / 2)) ]

probe close
sleep 0.5
check "a close message in the lock is refused" window_visible
check "with one monitor the lock has no cover window" no_covers
check "WM_QUERYENDSESSION in the lock is refused" grep -q '^answer=0' <<<"$(probe queryend)"
check "the address label is black by now" dark lock-label-dark

shown=0
for i in 1 2 3; do
  [ $(($(ms) - lock_seen)) -lt 12000 ] || break  # a key in the key wait would end it
  press alt+F4
  r=$(reds "$(screenshot lock-key-$i)")
  echo "after Alt+F4: $r red pixels (lock text: $lockreds)"
  [ "$r" -gt 50 ] && [ "$r" -ne "$lockreds" ] && { shown=1; cp "$E2E_ARTIFACTS/lock-key-$i.png" "$E2E_ARTIFACTS/lock-remaining.png"; break; }
  sleep 0.7
done
check "Alt+F4 in the lock shows the remaining minutes in red" [ $shown -eq 1 ]
check "Alt+F4 does not close the window" window_visible
check "the key press lights the address label blue" lit lock-label-lit
sleep 5.5
check "the label is black again within 5 s" dark lock-label-dark-again


# --- key wait ----------------------------------------------------------------------------
check "the key wait comes after the 5-minute break" wait_for 20 green_shown
echo "key wait after $((SECONDS - t0)) s"
on=0; off=0
while read -r r g; do
  if [ "$g" -gt 50 ]; then on=$((on + 1)); else off=$((off + 1)); fi
  [ "$r" -eq 0 ] || fail "red in the key wait"
done < <(samples key-wait 10)
echo "key-wait text shown in $on of $((on + off)) samples"
check "the key-wait text blinks green about one second in two" [ $on -ge 3 -a $on -le 7 ]

check "the notice text is green" [ "$(greens "$notice_shot")" -gt 100 ]
box=$(convert "$notice_shot" -fill black +opaque 'rgb(0,255,0)' -trim -format '%w %h %X %Y' info:)
read -r bw bh bx by <<<"$box"
cx=$((${bx#+} + bw / 2)); cy=$((${by#+} + bh / 2))
echo "green text box $box, centre $cx,$cy"
check "the notice text is centred" [ $((cx - width / 2)) -ge -4 -a $((cx - width / 2)) -le 4 -a $((cy - height / 2)) -ge -6 -a $((cy - height / 2)) -le 6 ]
outside=$(convert "$notice_shot" -fill black -draw "rectangle 0,$((cy - 12)) $width,$((cy + 12))" png:- | not_black -)
check "everything outside the text line is black" [ "$outside" -eq 0 ]
xdotool mousemove $((width - 40)) 6 click 1
sleep 1.5
check "a click on the label does not end the key wait" window_visible
centre
check "WM_QUERYENDSESSION in the key wait is granted" grep -q '^answer=1' <<<"$(probe queryend)"
press Shift_L
check "a lone Shift ends the key wait" wait_for 3 window_hidden
check "the program goes on" program_running
t1=$SECONDS

# --- second cycle: a close request in the key wait ends the program ------------------------
check "the next notice comes 27 minutes after the key press" wait_for 100 window_visible
echo "next notice $((SECONDS - t1)) s after the key press"
sleep 10
# In this lock: a click on the label (which the pointer lights up) is not a click on the message.
xdotool mousemove $((width - 40)) 6
check "the pointer over the label lights it up" wait_for 2 lit lock-label-hover
counted=0
for i in 1 2; do
  xdotool click 1
  r=$(reds "$(screenshot lock-label-click-$i)")
  [ "$r" -gt 50 ] && [ "$r" -ne "$lockreds" ] && counted=1
  sleep 0.8
done
check "a click on the address label does not count as a click on the message" [ $counted -eq 0 ]
centre
check "the second key wait" wait_for 15 green_shown
probe close
check "a close message in the key wait ends the program" wait_for 5 window_gone
check "the process ends" wait_for 5 program_ended
stop_programs
reg_del_key "$settings"
finish
