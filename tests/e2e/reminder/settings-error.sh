#!/usr/bin/env bash
# Start-up without settings, then with "RegimeType" stored as a string: the title says 0/0 in
# the first case; the second shows the error box captioned "Pausarium" while the window is
# lowered from the topmost band, and the program stays resident afterwards.
set -uo pipefail
here=$(dirname "$0")
source "$here/../lib.sh"
source "$here/reminder-lib.sh"

reg_del_key "$settings"
start_program "$exe"
check "the window of class TfmMainWindow appears" wait_for 20 window_exists
check "title without settings is 'Pausarium - 0/0'" title_is 'Pausarium - 0/0'
sleep 3
check "nothing visible, window hidden" window_hidden
stop_programs

reg_set "$settings" RegimeType REG_SZ 1
start_program "$exe"
check "an error box opens" wait_for 20 box_open
sleep 1
box=$(probe errorbox)
echo "box: $box"
check "error box captioned 'Pausarium'" grep -q '^caption=Pausarium text=' <<<"$box"
check "error box text \"Invalid data type for 'RegimeType'\"" grep -q "text=Invalid data type for 'RegimeType' " <<<"$box"
check "the window is not topmost while the box is open" grep -q ' topmost=0 ' <<<"$(window_state)"
shot=$(screenshot reminder-error-box)
check "the box is seen on screen" [ "$(not_black "$shot")" -gt 1000 ]
xdotool key --window "$(xdotool search --onlyvisible --name '^Pausarium$' | tail -n 1)" Return
check "the box closes on Enter" wait_for 10 box_closed
sleep 3
state=$(window_state)
echo "after the box: $state"
check "the program stays resident, title 'Pausarium', hidden" grep -q '^title=Pausarium visible=0 topmost=1 ' <<<"$state"
check "the process still runs" program_running
stop_programs
reg_del_key "$settings"
finish
