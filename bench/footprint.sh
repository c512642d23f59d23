#!/usr/bin/env bash
# What the programs cost while they run: memory, CPU and wake-ups of the reminder in its phases
# and of the setup dialog, beside a minimal Win32 program (the floor), each under Wine on a
# private virtual display in a fresh prefix; and the sizes of the executables and packages.
# A benchmark, not a test: it prints figures and judges nothing. See docs/performance.md.
#
#   bench/footprint.sh [SECONDS]      SECONDS: the measuring window of the steady rows (30)
#
# FOOTPRINT_SOURCE=DIR measures the programs of another checkout with the same method (the
# floor and the method stay this checkout's); FOOTPRINT_WORK=DIR moves the build and prefix
# (default build/footprint of this checkout). The lock rows are measured twice, for these
# sources and for the git revision FOOTPRINT_BEFORE of this checkout (default 0a8936b, the
# lock before it stopped repeating window calls that change nothing; empty: not measured).
# The lock rows run on one monitor and again on three (tests/e2e/three-monitors.sh: a second
# display, split into three monitors for Wine), where the lock covers the two other monitors.
# FOOTPRINT_WM=openbox runs the programs under that window manager; FOOTPRINT_ROWS=lock
# measures the lock rows only; FOOTPRINT_DISPLAY=N takes the X display :N (default: the
# first free from :150), and the three monitors take the first free display after it.
set -euo pipefail
bench_dir=$(cd "$(dirname "$0")" && pwd)
repo=$(dirname "$bench_dir")
source "$repo/tests/e2e/three-monitors.sh"
source_dir=$(cd "${FOOTPRINT_SOURCE:-$repo}" && pwd)
work=${FOOTPRINT_WORK:-$repo/build/footprint}
window=${1:-30}
before=${FOOTPRINT_BEFORE-0a8936b}
rows_wanted=${FOOTPRINT_ROWS:-all}
settle=10          # seconds from the program's start to the window of a steady row
short_minute_ms=3000

export LC_ALL=C  # English linker maps and decimal points; Wine gets the Russian locale below
mkdir -p "$work"
log=$work/build.log
: >"$log"

# --- builds ------------------------------------------------------------------------------
configure_and_build() {  # configure_and_build DIR ARCH [cmake options...]
  local dir=$1 arch=$2; shift 2
  cmake -S "$source_dir" -B "$work/$dir" --toolchain "$source_dir/cmake/toolchains/$arch-w64-mingw32.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DBUILD_TESTING=OFF "$@" >>"$log" 2>&1
  cmake --build "$work/$dir" -j"$(nproc)" >>"$log" 2>&1
}
echo "building (log: $log)"
# The shipped configurations, with a linker map of each program (the map changes nothing in
# the .exe), and their packages.
for arch in i686 x86_64; do
  configure_and_build "$arch" "$arch" -DCMAKE_EXE_LINKER_FLAGS=-Wl,-Map,program.map
  cmake --build "$work/$arch" --target package >>"$log" 2>&1
done
# Short minutes, to reach the lock in a minute and a half.
configure_and_build x86_64-short x86_64 -DPAUSARIUM_MINUTE_MS=$short_minute_ms
# The floor, with the programs' compiler and release options.
x86_64-w64-mingw32-g++-win32 -std=c++20 -Os -s -static -mwindows "$bench_dir/floor.cpp" -o "$work/floor.exe"
rm -rf "$work/install" "$work/install-short" "$work/install-short-before"
cmake --install "$work/x86_64" --prefix "$work/install" >>"$log" 2>&1
cmake --install "$work/x86_64-short" --prefix "$work/install-short" >>"$log" 2>&1
# The lock before, from the same checkout's history, built alike.
if [ -n "$before" ]; then
  rm -rf "$work/before-source"; mkdir -p "$work/before-source"
  git -C "$repo" archive "$before" | tar -x -C "$work/before-source"
  source_dir=$work/before-source configure_and_build x86_64-short-before x86_64 -DPAUSARIUM_MINUTE_MS=$short_minute_ms
  cmake --install "$work/x86_64-short-before" --prefix "$work/install-short-before" >>"$log" 2>&1
fi

# --- Wine ----------------------------------------------------------------------------------
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX=$work/wineprefix
wine() { LC_ALL=ru_RU.UTF-8 command wine "$@"; }  # the ANSI code page 1251, as in the tests
display=${FOOTPRINT_DISPLAY:-150}
while [ -z "${FOOTPRINT_DISPLAY:-}" ] && [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
wm_pids=()
three_monitor_xvfb_pid=
cleanup() {
  wineserver -k 2>/dev/null || true
  [ ${#wm_pids[@]} -gt 0 ] && kill "${wm_pids[@]}" 2>/dev/null
  [ -n "$three_monitor_xvfb_pid" ] && kill "$three_monitor_xvfb_pid" 2>/dev/null
  kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
start_wm() {  # the window manager, if any, on $DISPLAY
  [ -n "${FOOTPRINT_WM:-}" ] || return 0
  "$FOOTPRINT_WM" >/dev/null 2>&1 &
  wm_pids+=($!)
  sleep 2
}
start_wm

echo "making a fresh Wine prefix"
wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
LC_ALL=ru_RU.UTF-8 "$repo/scripts/wine-prefix.sh"
# Wine's HID bus otherwise polls SDL for game controllers about 900 times a second, in a Wine
# service that every program of the prefix starts: it would hide everything else.
wine reg add 'HKLM\System\CurrentControlSet\Services\WineBus' /v "Enable SDL" /t REG_DWORD /d 0 /f /reg:64 >/dev/null 2>&1
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true

# --- measuring -------------------------------------------------------------------------------
ticks=$(getconf CLK_TCK)
prefix_pids() {  # the Linux processes of this prefix (Wine's and the programs'), not Xvfb
  local pid
  for pid in $(pgrep -u "$(id -u)" . || true); do
    [ "$pid" = "$xvfb_pid" ] && continue
    { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid"
  done
  return 0
}
program_pid() {  # program_pid EXE-NAME: the prefix's process running that .exe
  # Its command line starts with the .exe's Windows path, or with the Unix path it was given.
  local pid
  for pid in $(prefix_pids | sort -un); do
    { tr '\0' ' ' <"/proc/$pid/cmdline"; } 2>/dev/null | grep -qiE "^([A-Z]:\\\\|/)([^ ]*[\\\\/])?$1( |$)" && { echo "$pid"; return 0; }
  done
  return 1
}
kb() { awk -v k="$2" '$1 == k":" { print $2 }' "/proc/$1/smaps_rollup"; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
switches() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/ctxt_switches/ { n += $2 } END { print n + 0 }'; }
dll_count() { grep -oiE '[^/]+\.(dll|drv|so)$' "/proc/$1/maps" | sort -u | wc -l; }

rows=()
measure() {  # measure ROW PID SECONDS: one row of the table over that window
  local row=$1 pid=$2 seconds=$3 cpu0 sw0 cpu1 sw1
  cpu0=$(cpu_ticks "$pid"); sw0=$(switches "$pid")
  sleep "$seconds"
  cpu1=$(cpu_ticks "$pid"); sw1=$(switches "$pid")
  local pss rss uss threads dlls
  pss=$(kb "$pid" Pss); rss=$(kb "$pid" Rss)
  uss=$(( $(kb "$pid" Private_Clean) + $(kb "$pid" Private_Dirty) ))
  threads=$(ls "/proc/$pid/task" | wc -l); dlls=$(dll_count "$pid")
  rows+=("$(awk -v r="$row" -v p="$pss" -v s="$rss" -v u="$uss" -v c=$((cpu1 - cpu0)) -v t="$ticks" \
    -v w=$((sw1 - sw0)) -v sec="$seconds" -v th="$threads" -v d="$dlls" \
    'BEGIN { printf "| %-42s | %6.2f | %6.2f | %6.2f | %8.3f | %7.2f | %3d | %3d |", r, p / 1024, s / 1024, u / 1024, c / t / sec * 60, w / sec, th, d }')")
  echo "${rows[-1]}"
}
wine_processes=()
note_wine_processes() {  # Wine's own processes beside the program PID, by name with their PSS and RSS
  local pid name
  for pid in $(prefix_pids | sort -un); do
    [ "$pid" = "$1" ] && continue
    name=$({ tr '\0' ' ' <"/proc/$pid/cmdline"; } 2>/dev/null | awk '{ n = $1; sub(/.*[\\\/]/, "", n); print n }') || continue
    [[ "$name" == *.exe || "$name" == wineserver* ]] || continue  # not this script's own children
    [ -r "/proc/$pid/smaps_rollup" ] || continue
    wine_processes+=("$(awk -v n="$name" -v p="$(kb "$pid" Pss)" -v s="$(kb "$pid" Rss)" \
      'BEGIN { printf "| %-22s | %6.2f | %6.2f |", n, p / 1024, s / 1024 }')")
  done
}
set_settings() {  # set_settings REGIME PROTECTION [IDLEBREAK]: without IDLEBREAK, no such value
  wine reg add 'HKCU\SOFTWARE\Pausarium' /v RegimeType /t REG_DWORD /d "$1" /f /reg:64 >/dev/null 2>&1
  wine reg add 'HKCU\SOFTWARE\Pausarium' /v ProtectionLevel /t REG_DWORD /d "$2" /f /reg:64 >/dev/null 2>&1
  if [ -n "${3:-}" ]; then
    wine reg add 'HKCU\SOFTWARE\Pausarium' /v IdleBreak /t REG_DWORD /d "$3" /f /reg:64 >/dev/null 2>&1
  else
    wine reg delete 'HKCU\SOFTWARE\Pausarium' /v IdleBreak /f /reg:64 >/dev/null 2>&1
  fi
  wineserver -w 2>/dev/null || true
}
start() {  # start EXE: runs it and sets $pid to its process once it exists; $started to the time
  wine "$1" >/dev/null 2>&1 &
  wine_job=$!
  local exe; exe=$(basename "$1")
  for _ in $(seq 300); do pid=$(program_pid "$exe") && break; sleep 0.1; done
  [ -n "${pid:-}" ] || { echo "$exe did not start" >&2; exit 1; }
  started=$SECONDS
}
stop() { wineserver -k 2>/dev/null || true; wait "$wine_job" 2>/dev/null || true; sleep 1; }
sleep_until() { local left=$(( $1 - (SECONDS - started) )); [ "$left" -gt 0 ] && sleep "$left"; return 0; }

echo "measuring ($window s windows; about 15 minutes)${FOOTPRINT_WM:+, under $FOOTPRINT_WM}"
printf '| %-42s | %6s | %6s | %6s | %8s | %7s | %3s | %3s |\n' row "PSS MB" "RSS MB" "USS MB" "CPU s/min" "wakes/s" thr DLL
if [ "$rows_wanted" = all ]; then
  pid=; start "$work/floor.exe"; sleep "$settle"; measure "floor (minimal program)" "$pid" "$window"; stop

  set_settings 1 0  # 50/10, normal protection
  pid=; start "$work/install/Pausarium.exe"; sleep "$settle"; measure "reminder, work phase" "$pid" "$window"
  note_wine_processes "$pid"; stop

  # IdleBreak looks at the input clock once a minute: a window of two minutes holds two looks.
  set_settings 1 0 1
  pid=; start "$work/install/Pausarium.exe"; sleep "$settle"; measure "reminder, work phase, IdleBreak 1" "$pid" 120; stop
  set_settings 1 0
fi

# The short build's 30/5 cycle: work 27 min and 3 notices of a minute, then a 5-minute lock.
lock_start=$(( 30 * short_minute_ms / 1000 )); lock_end=$(( 35 * short_minute_ms / 1000 ))
lock_window=$(( lock_end - lock_start - 4 ))
lock_rows() {  # lock_rows [SUFFIX]: the lock at both levels, for these sources and before
  local level build
  for level in 0 1; do
    for build in "" ${before:+-before}; do
      set_settings 0 "$level"
      pid=; start "$work/install-short$build/Pausarium.exe"; sleep_until $((lock_start + 2))
      measure "reminder, lock, $([ "$level" = 0 ] && echo normal || echo raised)${1:-}${build:+ (before)}" "$pid" "$lock_window"
      stop
    done
  done
}
lock_rows
# The same on three monitors, then the one monitor again for the rows that follow.
one_monitor=$DISPLAY
start_three_monitor_display $((display + 1)) || { echo "no display of three monitors" >&2; exit 1; }
export DISPLAY=$three_monitor_display
start_wm
wine_sees_monitors on
lock_rows ", 3 monitors"
wine_sees_monitors off
[ -n "${FOOTPRINT_WM:-}" ] && { kill "${wm_pids[-1]}" 2>/dev/null; unset 'wm_pids[-1]'; }
kill "$three_monitor_xvfb_pid" 2>/dev/null; three_monitor_xvfb_pid=
export DISPLAY=$one_monitor

[ "$rows_wanted" = all ] || exit 0
pid=; start "$work/install/PausariumSetup.exe"; sleep "$settle"; measure "setup dialog, idle" "$pid" "$window"; stop

echo
echo "Wine's own processes during the work phase row (not in the rows above):"
printf '| %-22s | %6s | %6s |\n' process "PSS MB" "RSS MB"
printf '%s\n' "${wine_processes[@]}"

echo
echo "sizes (bytes):"
for arch in i686 x86_64; do
  for file in "$work/$arch/reminder/Pausarium.exe" "$work/$arch/setup/PausariumSetup.exe" "$work/$arch"/Pausarium-*.exe "$work/$arch"/Pausarium-*.zip; do
    printf '  %-7s %-28s %8d\n' "$arch" "$(basename "$file")" "$(stat -c %s "$file")"
  done
done
echo
for program in reminder/Pausarium setup/PausariumSetup; do
  echo "i686 $(basename "$program").exe by part, from its linker map (KB):"
  awk -f "$bench_dir/map-breakdown.awk" "$work/i686/$(dirname "$program")/program.map"
done
