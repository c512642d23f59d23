#!/usr/bin/env bash
# One whole break in about two minutes. Builds Pausarium with 3-second minutes, installs it into
# a Wine prefix of its own, sets regime 30/5 in the registry as the setup tool does and starts the
# reminder as Windows starts it at log-on.
# - On a display you watch the cycle (three notices, the lock, the key wait) and end it with a key.
# - With no display it runs on a virtual desktop with a window manager, presses the key itself and
#   saves what the screen showed: cycle.gif (animated) and one PNG per phase.
# Every process it starts ends with it, also when it is interrupted.
#
# Environment (all optional):
#   PAUSARIUM_DEMO_BUILD   an already built short-minute build directory to install from
#                          (default: build it into build/demo/<arch>)
#   PAUSARIUM_DEMO_PREFIX  the Wine prefix (default: build/demo/wineprefix)
#   PAUSARIUM_DEMO_OUT     where the pictures go (default: build/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

# --- build ---------------------------------------------------------------------------------
# The shipping 32-bit build where 32-bit Wine is there to run it, the 64-bit one otherwise.
if dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
  arch=i686
else
  arch=x86_64
fi
build=${PAUSARIUM_DEMO_BUILD:-}
if [ -z "$build" ]; then
  build=build/demo/$arch
  echo "Building Pausarium ($arch) with 3-second minutes into $build ..."
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchains/$arch-w64-mingw32.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DBUILD_TESTING=OFF -DPAUSARIUM_MINUTE_MS=3000 >/dev/null
  cmake --build "$build" -j"$(nproc)" >/dev/null
fi
minute_ms=$(sed -n 's/^PAUSARIUM_MINUTE_MS:[A-Z]*=//p' "$build/CMakeCache.txt" 2>/dev/null || true)
if ! [ "${minute_ms:-60000}" -ge 3000 ] 2>/dev/null || [ "$minute_ms" -gt 10000 ]; then
  echo "$build is not a short-minute build of 3 to 10 s (PAUSARIUM_MINUTE_MS=${minute_ms:-unset})" >&2
  exit 1
fi
seconds() { awk -v m="$1" -v ms="$minute_ms" 'BEGIN { printf "%g", m * ms / 1000 }'; }

# --- displays and processes ----------------------------------------------------------------
export WINEPREFIX=${PAUSARIUM_DEMO_PREFIX:-$PWD/build/demo/wineprefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=ru_RU.UTF-8
out=${PAUSARIUM_DEMO_OUT:-build/screenshots}
record=0
[ -n "${DISPLAY:-}" ] || record=1

xvfb_pid='' wm_pid='' work=''
cleanup() {
  trap - EXIT INT TERM
  wineserver -k 2>/dev/null || true  # the reminder and everything else of this prefix
  [ -z "$wm_pid" ] || kill "$wm_pid" 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  [ -z "$work" ] || rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
wineserver -k 2>/dev/null || true  # a reminder left from an earlier run that was killed hard

desktop_rgb='0,128,128'  # the classic Windows desktop colour, easy to tell from the black window
if [ $record = 1 ]; then
  display=120
  while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
  Xvfb ":$display" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$display"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  openbox --sm-disable >/dev/null 2>&1 &
  wm_pid=$!
  for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1 && break; sleep 0.1; done
  work=$(mktemp -d)
  convert -size 640x480 "xc:rgb($desktop_rgb)" "$work/desktop.png"
  display -window root "$work/desktop.png" >/dev/null 2>&1 || true
fi

# --- install and register --------------------------------------------------------------------
scripts/wine-prefix.sh
exe="$build/reminder/Pausarium.exe"
[ -f "$exe" ] || { echo "no Pausarium.exe in $build: build it first" >&2; exit 1; }
pe_offset=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
if [ "$(od -An -tu2 -j$((pe_offset + 4)) -N2 "$exe" | tr -d ' ')" -eq $((0x14c)) ]; then  # i386
  bits=32 program_files='Program Files (x86)'  # where Windows puts 32-bit programs
else
  bits=64 program_files='Program Files'
fi
[ -z "${PAUSARIUM_DEMO_BUILD:-}" ] || arch="$bits-bit"
cmake --install "$build" --prefix "$WINEPREFIX/drive_c/$program_files/Pausarium" >/dev/null
reminder="C:\\$program_files\\Pausarium\\Pausarium.exe"
# What the setup tool writes for regime 30/5 at the normal protection level. A 32-bit program's
# HKLM\SOFTWARE is the 32-bit registry view, so the autorun value goes there for the 32-bit build.
reg() { wine reg add "$1" /v "$2" /t "$3" /d "$4" /f "/reg:$bits" >/dev/null; }
reg 'HKCU\SOFTWARE\Pausarium' RegimeType REG_DWORD 0
reg 'HKCU\SOFTWARE\Pausarium' ProtectionLevel REG_DWORD 0
reg 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run' Pausarium REG_SZ "$reminder"

echo "Pausarium demo ($arch build, one minute = $(seconds 1) s, regime 30/5): three notices a minute apart (the last in red), then the black lock for 5 minutes, then 'press any key' blinking green$([ $record = 1 ] && echo ', pressed here by the script' || echo ': press a key to end it')."

# --- the break -------------------------------------------------------------------------------
window_title='^Pausarium - 30/5$'
first_window() { local w; w=$(xdotool search "$@" 2>/dev/null | head -n 1); [ -n "$w" ] && echo "$w"; }
reminder_window() { first_window --name "$window_title"; }
reminder_visible() { xdotool search --onlyvisible --name "$window_title" >/dev/null 2>&1; }
wait_until() {  # wait_until SECONDS command...: polls until the command succeeds
  local end=$((SECONDS + $1)); shift
  until "$@" >/dev/null; do [ $SECONDS -lt $end ] || return 1; sleep 0.2; done
}

if [ $record = 1 ]; then
  # Someone at work: a text open in Notepad on the desktop.
  printf 'Квартальный отчёт\r\n\r\nПродажи за квартал выросли на 12%%.\r\nОсталось дописать выводы.\r\n' |
    iconv -f UTF-8 -t CP1251 >"$WINEPREFIX/drive_c/users/Public/report.txt"
  wine notepad 'C:\users\Public\report.txt' >/dev/null 2>&1 &
  notepad_window() { first_window --onlyvisible --name 'report\.txt'; }
  if wait_until 30 notepad_window; then
    xdotool windowsize "$(notepad_window)" 440 260 windowmove "$(notepad_window)" 100 90 2>/dev/null || true
  fi
fi

wine "$reminder" >/dev/null 2>&1 &
reminder_pid=$!
wait_until 60 reminder_window || { echo "the reminder's window did not appear" >&2; exit 1; }
wait_until 10 eval '! reminder_visible'  # it shows once at zero size and hides 2 s later
echo "The reminder runs hidden; the first notice comes in about $(seconds 27) s."

if [ $record = 0 ]; then
  # Done when the window, up longer than the notices ever are (the lock and the key wait), is
  # hidden by the key press.
  up_since='' long_up='' lock_seconds=$(seconds 4 | cut -d. -f1)
  while kill -0 "$reminder_pid" 2>/dev/null; do
    if reminder_visible; then
      up_since=${up_since:-$SECONDS}
      [ $((SECONDS - up_since)) -lt "$lock_seconds" ] || long_up=1
    else
      up_since=''
      [ -z "$long_up" ] || break
    fi
    sleep 0.5
  done
  if kill -0 "$reminder_pid" 2>/dev/null; then
    echo "The break is over and the next work period has begun: the demo ends here."
  else
    echo "The reminder has ended: the demo ends here."
  fi
  exit 0
fi

# Recording: screenshots until each phase shows, told apart by the colours on the screen.
mkdir -p "$out"
rm -f "$out"/cycle.gif "$out"/cycle-*.png
green=0 red=0 desk=0 since=0 start_ms=0
now_ms() { local t=${EPOCHREALTIME//[.,]/}; echo $((t / 1000)); }
measure() {  # counts of the notice green, the warning red and the desktop colour on the screen
  taken_ms=$(now_ms)
  since=$((taken_ms - start_ms))  # the screen is at least that far from the first notice
  import -window root "$work/now.png"
  read -r green red desk < <(convert "$work/now.png" -format %c histogram:info:- | awk '
    /#00FF00/ { g = $1 + 0 } /#FF0000/ { r = $1 + 0 } /#008080/ { d = $1 + 0 }
    END { print g + 0, r + 0, d + 0 }')
}
# wait_screen SECONDS CONDITION: screenshots until the condition on $green $red $desk $since
# holds; hit_ms is when the first screen that met it was taken.
wait_screen() {
  local end=$((SECONDS + $1))
  until measure; (($2)); do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.2
  done
  hit_ms=$taken_ms
  # A moment later the screen is drawn in full, unless it has changed phase by then.
  cp "$work/now.png" "$work/first.png"
  sleep 0.3; measure
  (($2)) || cp "$work/first.png" "$work/now.png"
}
shown='desk == 0'
hidden='desk > 0'
pictures=() delays=() captions=()
# phase NAME SECONDS CONDITION DELAY CAPTION: the screen once the condition holds, kept as
# cycle-N-NAME.png and as a frame of the animation shown for DELAY hundredths of a second.
phase() {
  wait_screen "$2" "$3" || { echo "no $1 seen within $2 s" >&2; exit 1; }
  pictures+=("$out/cycle-$((${#pictures[@]} + 1))-$1.png")
  cp "$work/now.png" "${pictures[-1]}"
  delays+=("$4") captions+=("$5")
  echo "  $(printf '%-12s' "$1") ${pictures[-1]}"
}
# From the first notice on, the time tells the phases apart however slowly the screenshots come:
# a notice shows for 2 s at the start of its minute, the lock begins two minutes after the first
# notice; so a screen taken 2.5 s into a minute shows no notice from an earlier minute.
minute=$minute_ms
phase work 5 "$hidden" 200 'Work: Pausarium runs hidden'
phase notice $(($(seconds 27 | cut -d. -f1) + 30)) "$shown && green > 50" 150 'Minute 27: save your work (with a sound)'
start_ms=$hit_ms
phase notice-2 10 "$shown && green > 50 && since >= 2500" 150 'Minute 28: 2 minutes left'
phase last-notice 10 "$shown && red > 50 && since >= minute + 2500" 150 'Minute 29: the last notice, in red'
phase lock 10 "$shown && red > 50 && since >= 2 * minute + 2500" 200 'Minute 30: locked for 5 minutes, it cannot be closed'
phase lock-blink 10 "$shown && red == 0 && green == 0" 100 'The lock text blinks'
phase key-wait $(($(seconds 5 | cut -d. -f1) + 15)) "$shown && green > 50" 200 'Minute 35: press any key'
xdotool key space
if ! wait_until 5 eval '! reminder_visible'; then
  echo "  the key did not reach the window; activating it and pressing again" >&2
  xdotool windowactivate --sync "$(reminder_window)" key space 2>/dev/null || true
fi
phase work-again 10 "$hidden" 250 'A key: back to work, the next break in 30 minutes'

# The animation: each phase scaled down with its caption underneath.
frames=()
for i in "${!pictures[@]}"; do
  convert "${pictures[i]}" -resize 480x360 \( -size 480x26 -background '#303030' -fill '#f0f0f0' \
    -pointsize 15 -gravity center label:"${captions[i]}" \) -append +repage "$work/frame-$i.png"
  frames+=(-delay "${delays[i]}" "$work/frame-$i.png")
done
convert -loop 0 "${frames[@]}" -layers Optimize "$out/cycle.gif"
echo "Saved $out/cycle.gif ($(($(stat -c %s "$out/cycle.gif") / 1024)) KB) and one PNG per phase: $out/cycle-*.png"
