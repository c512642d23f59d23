#!/usr/bin/env bash
# The setup tool under Wine: the missing-reminder warning, the three looks read pixel by pixel,
# the clicks that register, configure and remove the reminder, and the path question.
source "$(dirname "$0")/../lib.sh"
start_window_manager  # the dialog with its title bar and frame, as on a user's desktop

HKLM_RUN='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
HKCU_SET='HKCU\Software\Pausarium'
SETUP="$E2E_INSTALL_DIR/PausariumSetup.exe"
REMINDER="$E2E_INSTALL_DIR/Pausarium.exe"
real_reminder=1
if [ ! -f "$REMINDER" ]; then real_reminder=0; : >"$REMINDER"; fi
EXPECTED_PATH=$(win_path "$E2E_INSTALL_DIR/Pausarium.exe")
mkdir -p "$E2E_ARTIFACTS"

# Client-area coordinates of the dialog: the X window is the client area, inside the window
# manager's frame. xwininfo gives its corner on the screen (xdotool's geometry counts the frame's
# offset twice); the frame's widths (left, right, top with the title bar, bottom) come from the
# window manager.
setup_window() { visible_window_by_title '^Pausarium v2.3 Setup$'; }
setup_gone() { ! setup_window >/dev/null; }
origin() {
  read -r OX OY CW CH < <(xwininfo -id "$WIN" | awk '/Absolute upper-left X/ { x = $4 }
    /Absolute upper-left Y/ { y = $4 } /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }')
  read -r FL FR FT FB < <(xprop -id "$WIN" _NET_FRAME_EXTENTS | tr -d , | awk '{ print $3, $4, $5, $6 }')
}
click_at() { click $((OX + $1)) $((OY + $2)); sleep 0.6; }
start_setup() {
  start_program "$SETUP"
  wait_for 30 setup_window || { fail "setup window appears"; return 1; }
  WIN=$(setup_window); origin; sleep 1  # its controls paint after it appears
}
close_setup() {  # close_setup [KEYS]: with the exit button, or with those keys
  local how="exit button"
  if [ $# -gt 0 ]; then how=$1; key_to "$WIN" "$1"; else click_at 130 354; fi
  check "$how closes the dialog" \
    wait_for 10 setup_gone
  wait "$program_pid" 2>/dev/null || true
}
# shot NAME: NAME.png, the client area, for the checks; NAME-window.png, the window with its frame.
shot() {
  sleep 0.4; SHOT=$(screenshot "$1")
  convert "$SHOT" -crop "$((CW + FL + FR))x$((CH + FT + FB))+$((OX - FL))+$((OY - FT))" +repage \
    "${SHOT%.png}-window.png"
  convert "$SHOT" -crop "${CW}x${CH}+${OX}+${OY}" +repage "$SHOT"
}
px() { pixel "$SHOT" "$1" "$2"; }
is_px() { [ "$(px "$1" "$2")" = "$3" ]; }
# A toggle button is down when its top-left corner has the shadow colour of a sunken edge.
add_down() { is_px 12 40 "$(sys_colour ButtonShadow)"; }
remove_down() { is_px 12 60 "$(sys_colour ButtonShadow)"; }
down_buttons() {  # down_buttons add|remove|none: exactly that one down, or neither
  case $1 in
    add) add_down && ! remove_down ;;
    remove) remove_down && ! add_down ;;
    none) ! add_down && ! remove_down ;;
  esac
}
has_white_in() { [ "$(count_colour "$SHOT" 255,255,255 "$1")" -gt 5 ]; }

# Controls on the client area (parents' offsets added up).
ADD_X=120 ADD_Y=50          # sbAddToAutorun
REMOVE_X=120 REMOVE_Y=70    # sbRemoveFromAutorun
RB90_X=12 RB90_Y=164        # rb90_15's circle
TRACK_X=28 TRACK_TOP_Y=236  # tbPLevel's channel, above the thumb at the bottom

# 1. Reminder missing: warning, then the end, nothing written.
reg_del_value "$HKLM_RUN" Pausarium; reg_del_key "$HKCU_SET"
lonely="$E2E_ARTIFACTS/lonely"; mkdir -p "$lonely"; cp "$SETUP" "$lonely/"
start_program "$lonely/PausariumSetup.exe"
if wait_for 30 visible_window_by_title '^Warning$'; then
  screenshot setup-missing-reminder >/dev/null
  pass "missing reminder warning shown"
  check "the warning's two lines" box_is Warning \
    $'Pausarium.exe не найден.. \n Запускайте данную программу из директории, где находится Pausarium.exe'
  key_to "$(visible_window_by_title '^Warning$')" Return
  check "program ends after the warning" wait_for 15 program_ended
else
  fail "missing reminder warning shown"
fi
check "no setup window when the reminder is missing" setup_gone
check "nothing written when the reminder is missing" test -z "$(reg_get "$HKLM_RUN" Pausarium)"
check "no settings key when the reminder is missing" reg_no_key "$HKCU_SET"
stop_programs

# 2. Not installed look.
start_setup
check "client area is 269x373" test "${CW}x${CH}" = 269x373
off_centre=$(( 2 * OX + CW - $(screen_size | cut -dx -f1) ))  # the frame is as wide on both sides
check "centred across the screen" test "${off_centre#-}" -le 1
# A taskbar lists the unowned window with the application title, and skips the dialog, which
# that window owns (X: transient for it).
app=$(window_by_title '^Pausarium Setup$')
check "a window with the application title stands for the program" test -n "$app"
owned_by_app() { xprop -id "$WIN" WM_TRANSIENT_FOR | grep -q "$(printf '0x%x' "${app:-0}")\$"; }
check "the dialog is owned by it, so its caption stays off the taskbar" owned_by_app
check "the owner carries the application title" grep -q '^owner=Pausarium Setup visible=1 iconic=0$' <<<"$(probe owner)"
probe minimise
check "minimising the dialog minimises the application window" grep -q ' iconic=1$' <<<"$(probe owner)"
check "and hides the dialog with it" grep -q ' visible=0 ' <<<"$(probe state)"
probe restore; sleep 0.5
check "restoring from the taskbar brings the dialog back" grep -q ' visible=1 ' <<<"$(probe state)"
shot setup-not-installed
check "frame band red when not installed" is_px 6 40 255,0,0
check "not installed: only the remove button is down" down_buttons remove
check "heading strips grey with white text" has_white_in 250x13+8+14
check "heading strip background is button shadow" is_px 10 106 "$(sys_colour ButtonShadow)"
check "pnNone grey" is_px 150 222 128,128,128
check "pnNone white caption" has_white_in 190x20+62+250
check "blue band round the exit button" is_px 2 343 0,0,255
check "blue band below the exit button" is_px 130 366 0,0,255
notice_strip() { convert "$SHOT" -crop 261x26+4+305 +repage -format '%#' info:; }
heading() { convert "$SHOT" -crop "261x17+4+$1" +repage -format '%#' info:; }  # heading Y: 104 regime, 192 level
# The box of the white text inside a heading strip's edge (257x13): WxH+X+Y.
heading_text_box() { convert "$SHOT" -crop "257x13+6+$(($1 + 2))" +repage -fill black +opaque white -format '%@' info:; }
restart_notice=$(notice_strip)
regime_heading=$(heading 104) level_heading=$(heading 192)
radio_before=$(convert "$SHOT" -crop 200x14+20+158 +repage -format '%k' info:)
click_at $RB90_X $RB90_Y
check "disabled radio does nothing when not installed" test -z "$(reg_get "$HKCU_SET" RegimeType)"

# 3. Install, 90/15, raised level.
click_at $ADD_X $ADD_Y
check "install writes the autorun value" test "$(reg_get "$HKLM_RUN" Pausarium)" = "$EXPECTED_PATH"
check "install writes RegimeType 1" test "$(reg_get "$HKCU_SET" RegimeType)" = 0x1
check "install writes ProtectionLevel 0" test "$(reg_get "$HKCU_SET" ProtectionLevel)" = 0x0
shot setup-installed
check "frame band green when installed" is_px 6 40 0,255,0
check "installed: only the install button is down" down_buttons add
check "pnNormal shown at position 1 (silver)" is_px 150 250 192,192,192
click_at $RB90_X $RB90_Y
check "90/15 radio writes RegimeType 2" test "$(reg_get "$HKCU_SET" RegimeType)" = 0x2
click_at $TRACK_X $TRACK_TOP_Y
check "track bar top writes ProtectionLevel 1" test "$(reg_get "$HKCU_SET" ProtectionLevel)" = 0x1
shot setup-installed-raised
check "pnHigh shown at position 0 (silver, its heading grey)" is_px 150 222 128,128,128
description() { convert "$SHOT" -crop 205x77+56+216 +repage -format '%#' info:; }
raised_description=$(description)
key_to "$WIN" Down; sleep 0.6
check "arrow key on the track bar switches to normal" test "$(reg_get "$HKCU_SET" ProtectionLevel)" = 0x0
key_to "$WIN" Up; sleep 0.6
check "arrow key on the track bar switches to raised" test "$(reg_get "$HKCU_SET" ProtectionLevel)" = 0x1

# 4. The down install button: Undecided, frame stays green, settings key gone.
click_at $ADD_X $ADD_Y
shot setup-undecided
check "undecided keeps the frame green" is_px 6 40 0,255,0
check "a click on the down install button leaves both up" down_buttons none
check "undecided keeps the autorun value" test "$(reg_get "$HKLM_RUN" Pausarium)" = "$EXPECTED_PATH"
check "undecided deletes the settings key" reg_no_key "$HKCU_SET"
check "undecided covers the protection area" is_px 150 222 128,128,128

# 5. Remove.
click_at $ADD_X $ADD_Y
check "reinstall resets the regime to 50/10" test "$(reg_get "$HKCU_SET" RegimeType)" = 0x1
click_at $REMOVE_X $REMOVE_Y
check "remove deletes the autorun value" test -z "$(reg_get "$HKLM_RUN" Pausarium)"
check "remove deletes the settings key" reg_no_key "$HKCU_SET"
shot setup-removed
check "frame band red after remove" is_px 6 40 255,0,0
check "after remove only the remove button is down" down_buttons remove
# Not installed, the radios and the track bar are disabled: Tab reaches only the exit button.
key_to "$WIN" Tab; key_to "$WIN" space
check "not installed, Tab goes to the exit button" \
  wait_for 10 setup_gone
wait "$program_pid" 2>/dev/null || true

# 6. Path question: Yes (Enter) rewrites; Esc and the box's Alt+F4 refuse and keep.
for answer in Return Escape alt+F4; do
  reg_set "$HKLM_RUN" Pausarium REG_SZ 'C:\Other\Pausarium.exe'
  start_program "$SETUP"
  if wait_for 30 visible_window_by_title '^Warning$'; then
    screenshot "setup-path-question-$answer" >/dev/null
    check "the path question's text" box_is Warning \
      $'Pausarium обнаружен в другой дерриктории..\nВы хотите изменить путь к программе в параметрах автозапуска?'
    key_to "$(visible_window_by_title '^Warning$')" "$answer"; sleep 1
  else
    fail "path question asked"
  fi
  wait_for 30 setup_window; WIN=$(setup_window); origin
  if [ "$answer" = Return ]; then
    check "Yes rewrites the stored path" test "$(reg_get "$HKLM_RUN" Pausarium)" = "$EXPECTED_PATH"
  else
    check "$answer keeps the stored path" test "$(reg_get "$HKLM_RUN" Pausarium)" = 'C:\Other\Pausarium.exe'
  fi
  if [ "$answer" = Return ]; then close_setup; else close_setup alt+F4; fi
done

# 7. Opening while registered, and the keyboard: the checked radio has the focus, the arrows
# choose among the radios, Tab goes on to the track bar and then to the exit button.
reg_set "$HKLM_RUN" Pausarium REG_SZ "$EXPECTED_PATH"
reg_set "$HKCU_SET" RegimeType REG_DWORD 1
reg_set "$HKCU_SET" ProtectionLevel REG_DWORD 0
start_setup
shot setup-installed-at-start
check "opening registered shows the chosen level's description" is_px 150 250 192,192,192
key_to "$WIN" Down; sleep 0.6
check "an arrow on the focused radio chooses the next regime" test "$(reg_get "$HKCU_SET" RegimeType)" = 0x2
key_to "$WIN" Down; sleep 0.6
check "the arrows go round the group" test "$(reg_get "$HKCU_SET" RegimeType)" = 0x0
key_to "$WIN" Tab; key_to "$WIN" Up; sleep 0.6
check "Tab goes from the radios to the track bar" test "$(reg_get "$HKCU_SET" ProtectionLevel)" = 0x1
key_to "$WIN" Tab; key_to "$WIN" space
check "Tab goes on to the exit button, which works from the keyboard" \
  wait_for 10 setup_gone
wait "$program_pid" 2>/dev/null || true

# 8. A folder every user may change (Unix "other" write is Everyone: Modify under Wine): the
# install click asks first, with No as the default; No leaves everything as it was.
reg_del_value "$HKLM_RUN" Pausarium; reg_del_key "$HKCU_SET"
chmod o+w "$E2E_INSTALL_DIR"
start_setup
click_at $ADD_X $ADD_Y
if wait_for 15 visible_window_by_title '^Warning$'; then
  screenshot setup-changeable-folder >/dev/null
  check "the warning names the folder" box_is Warning "Папку «$(win_path "$E2E_INSTALL_DIR")» или Pausarium.exe \
в ней могут изменять не только администраторы.
Любой пользователь сможет подменить программу, которую Windows запускает при входе всех пользователей.

Всё равно установить Pausarium в автозапуск?"
  key_to "$(visible_window_by_title '^Warning$')" Return; sleep 1
  shot setup-changeable-refused
  check "Enter answers No: no autorun value" test -z "$(reg_get "$HKLM_RUN" Pausarium)"
  check "and no settings key" reg_no_key "$HKCU_SET"
  not_installed_look() { down_buttons remove && is_px 6 40 255,0,0; }
  check "and the dialog as before the click" not_installed_look
  click_at $ADD_X $ADD_Y
  wait_for 15 visible_window_by_title '^Warning$' && key_to "$(visible_window_by_title '^Warning$')" y
  sleep 1
  check "Yes registers as without the question" test "$(reg_get "$HKLM_RUN" Pausarium)" = "$EXPECTED_PATH"
  shot setup-changeable-accepted
  check "and shows the installed look" down_buttons add
else
  fail "the warning before registering from a folder every user may change"
fi
chmod o-w "$E2E_INSTALL_DIR"
close_setup

# 9. Settings that a policy sets (the computer's regime in the 64-bit view, the user's level):
# shown at the policy's values and locked, each heading saying who sets its setting, the restart
# notice as ever, the user's own values kept as they are.
policy() { wine reg "$@" /reg:64 >/dev/null 2>&1; }
reg_set "$HKLM_RUN" Pausarium REG_SZ "$EXPECTED_PATH"
reg_set "$HKCU_SET" RegimeType REG_DWORD 1
reg_set "$HKCU_SET" ProtectionLevel REG_DWORD 0
policy add 'HKLM\SOFTWARE\Policies\Pausarium' /v RegimeType /t REG_DWORD /d 2 /f
policy add 'HKCU\SOFTWARE\Policies\Pausarium' /v ProtectionLevel /t REG_DWORD /d 1 /f
start_setup
shot setup-managed
check "managed: installed look" is_px 6 40 0,255,0
check "managed level: the raised level's description" test "$(description)" = "$raised_description"
check "managed: the restart notice stays" test "$(notice_strip)" = "$restart_notice"
check "managed: the regime's heading says who sets it" test "$(heading 104)" != "$regime_heading"
check "managed: the level's heading says who sets it" test "$(heading 192)" != "$level_heading"
for y in 104 192; do
  box=$(heading_text_box $y)  # the whole wording on one line (a wrapped one shows its first words only)
  check "managed: heading at $y fits its strip ($box)" \
    awk -v b="$box" 'BEGIN { split(b, v, /[x+]/); exit !(v[1] >= 150 && v[2] <= 12 && v[3] >= 3 && v[3] + v[1] <= 254) }'
done
click_at 12 132; click_at $TRACK_X $TRACK_TOP_Y
check "managed: the locked controls change nothing" \
  test "$(reg_get "$HKCU_SET" RegimeType) $(reg_get "$HKCU_SET" ProtectionLevel)" = "0x1 0x0"
check "managed: the policies stay" test "$(wine reg query 'HKLM\SOFTWARE\Policies\Pausarium' /v RegimeType /reg:64 2>/dev/null | grep -c 0x2)" = 1
close_setup
policy delete 'HKLM\SOFTWARE\Policies\Pausarium' /f; policy delete 'HKCU\SOFTWARE\Policies\Pausarium' /f

# 10. The two programs meet.
if [ "$real_reminder" = 1 ]; then
  start_setup; click_at $RB90_X $RB90_Y; close_setup
  start_program "$REMINDER"
  check "reminder carries the regime written by the setup tool" wait_for 30 bash -c 'xdotool search --name "^Pausarium - 90/15$" >/dev/null'
else
  echo "skipped: Pausarium.exe is not built in this tree"
  rm -f "$REMINDER"
fi

stop_programs
reg_del_value "$HKLM_RUN" Pausarium; reg_del_key "$HKCU_SET"  # the next scenario starts clean
finish
