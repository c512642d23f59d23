# Helpers of the reminder scenarios: sourced after ../lib.sh.
exe=$E2E_INSTALL_DIR/Pausarium.exe
settings='HKCU\SOFTWARE\Pausarium'
window_state() { probe state; }
window_visible() { window_state | grep -q ' visible=1 '; }
window_hidden() { window_state | grep -q ' visible=0 '; }
window_exists() { probe state >/dev/null; }
window_gone() { ! window_exists; }
# The black covers over the monitors other than the primary (windows of class TMonitorCover)
cover_lines() { probe covers | grep '^cover='; }
no_covers() { local out; out=$(probe covers) && ! grep -q '^cover=' <<<"$out"; }
reminder_window() { xdotool search --name '^Pausarium' 2>/dev/null | head -n 1; }
# red / green / blue pixels of a screenshot, optionally in a crop
reds() { count_colour "$1" 255,0,0 "${2:-}"; }
greens() { count_colour "$1" 0,255,0 "${2:-}"; }
blues() { count_colour "$1" 0,0,255 "${2:-}"; }
not_black() { convert "$1" -fill white +opaque black -format '%[fx:int(mean*w*h+0.5)]' info:; }
address_crop() {  # the address label: 102x13 at the top, 1 px from the right edge
  local w=${1%x*}; echo "102x13+$((w - 1 - 102))+0"
}
# samples FILE-PREFIX N: N screenshots with a 0.25 s pause between; prints "red green" of each,
# read in one pass so that the samples keep pace with the blinking
samples() {
  local i
  for i in $(seq 1 "$2"); do
    convert "$(screenshot "$1-$i")" -depth 8 -alpha off -format %c histogram:info:- |
      awk '$2 == "(255,0,0)" { r = $1 + 0 } $2 == "(0,255,0)" { g = $1 + 0 } END { print r + 0, g + 0 }'
    sleep 0.25
  done
}
