# Shared helpers for the end-to-end scenarios: sourced, not run.
# Environment from ctest: WINEPREFIX, E2E_BUILD_DIR, E2E_INSTALL_DIR, E2E_ARTIFACTS, E2E_MINUTE_MS.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=ru_RU.UTF-8
: "${DISPLAY:?the end-to-end tests need an X display (scripts/run-tests.sh starts Xvfb)}"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
check() {  # check "description" command...
  local what=$1; shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}
finish() {  # exit status of the scenario
  [ "$failures" -eq 0 ] && { echo "scenario passed"; exit 0; }
  echo "$failures check(s) failed"; exit 1
}

# The install directory as Windows sees it (drive Z: maps /).
win_path() { echo "Z:${1//\//\\}"; }

# reg_set KEY NAME TYPE DATA / reg_get KEY NAME / reg_del_key KEY / reg_del_value KEY NAME
# Every call names the registry view of the build under test (E2E_REG_VIEW, 32 or 64): with
# 32-bit Wine installed, `wine reg` itself runs as a 32-bit program and would otherwise read
# HKLM\SOFTWARE through the 32-bit view whatever the programs under test wrote.
reg() { wine reg "$@" "/reg:${E2E_REG_VIEW:-64}"; }
reg_set() { reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1; }
reg_get() {  # prints the data of one value, or nothing when it is absent
  reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { $1 = ""; $2 = ""; sub(/^  */, ""); print }'
}
reg_type() { reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { print $2 }'; }
reg_has_key() { reg query "$1" >/dev/null 2>&1; }
reg_no_key() { ! reg_has_key "$1"; }
reg_del_key() { reg delete "$1" /f >/dev/null 2>&1 || true; }
reg_del_value() { reg delete "$1" /v "$2" /f >/dev/null 2>&1 || true; }

# start_program EXE [args]: runs it in the background; its wine pid in $program_pid.
start_program() {
  wine "$@" >"$E2E_ARTIFACTS/$(basename "$1").log" 2>&1 &
  program_pid=$!
}
program_running() { kill -0 "$program_pid" 2>/dev/null; }
program_ended() { ! program_running; }
stop_programs() {  # and waits for them; a window manager stays until the scenario ends
  wineserver -k 2>/dev/null || true
  local job
  for job in $(jobs -p); do
    [ "$job" = "${window_manager_pid:-}" ] || wait "$job" 2>/dev/null || true
  done
}

# wait_for SECONDS command...: polls every 0.2 s until the command succeeds.
wait_for() {
  local limit=$1; shift
  local end=$((SECONDS + limit))
  until "$@" >/dev/null; do
    [ $SECONDS -ge $end ] && return 1
    sleep 0.2
  done
}

# probe state|close|queryend|errorbox: what Windows says of the program's window or open box,
# its texts turned from 1251 into UTF-8; the probe's own exit status (1: no such window or box).
probe() {
  local out status
  out=$(wine "$E2E_PROBE" "$@" 2>/dev/null); status=$?
  if [ -n "$out" ]; then printf '%s\n' "$out" | tr -d '\r' | iconv -f CP1251 -t UTF-8; fi
  return $status
}
box_open() { probe errorbox >/dev/null; }
box_closed() { ! box_open; }
# box_is CAPTION TEXT: the open message box has exactly that caption and text.
box_is() {
  local box; box=$(probe errorbox) || return 1
  box=${box% boxtopmost=*}
  [ "$box" = "caption=$1 text=$2" ] || { echo "  box: $box"; return 1; }
}
title_is() { [[ "$(probe state)" == "title=$1 "* ]]; }  # the program's window has that title

# The first window whose title matches a regular expression, visible or not; fails when none does.
first_of() { local w; w=$("$@" 2>/dev/null | head -n 1); [ -n "$w" ] && echo "$w"; }
window_by_title() { first_of xdotool search --name "$1"; }
visible_window_by_title() { first_of xdotool search --onlyvisible --name "$1"; }

# Screenshots of the whole virtual screen, and single pixels of them as "r,g,b".
screenshot() { import -window root "$E2E_ARTIFACTS/$1.png"; echo "$E2E_ARTIFACTS/$1.png"; }
pixel() {  # pixel FILE X Y
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}
# count_colour FILE R,G,B [geometry]: pixels of exactly that colour (in an optional crop WxH+X+Y).
count_colour() {
  local crop=()
  [ -n "${3:-}" ] && crop=(-crop "$3" +repage)
  convert "$1" "${crop[@]}" -fill black +opaque "rgb($2)" -fill white -opaque "rgb($2)" \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}
# click SCREEN_X SCREEN_Y: a left click there, held briefly (Wine misses an instant one).
click() { xdotool mousemove "$1" "$2"; sleep 0.3; xdotool mousedown 1; sleep 0.15; xdotool mouseup 1; }
# key_to WINDOW KEY: the key pressed in that window. With no window manager the keyboard goes
# where X's focus is, so the window gets it first.
key_to() { xdotool windowfocus --sync "$1" 2>/dev/null || true; sleep 0.2; xdotool key "$2"; }
# sys_colour NAME: a system colour of the prefix (Control Panel\Colors) as "r,g,b".
sys_colour() { reg_get 'HKCU\Control Panel\Colors' "$1" | tr ' ' ','; }
screen_size() { xdpyinfo | awk '/dimensions:/ { print $2; exit }'; }

# A user's desktop: a window manager on the display, started by start_window_manager and ended
# with the scenario. Focus, activation and keys then follow a user's desktop rather than a bare
# X server.
start_window_manager() {
  openbox --sm-disable >/dev/null 2>&1 &
  window_manager_pid=$!
  trap 'kill $window_manager_pid 2>/dev/null || true' EXIT
  wait_for 10 xprop -root _NET_SUPPORTING_WM_CHECK
}

# Cycle time: minutes of the test build, in seconds (fractions allowed).
minutes() { awk -v m="$1" -v ms="$E2E_MINUTE_MS" 'BEGIN { printf "%.3f", m * ms / 1000 }'; }
