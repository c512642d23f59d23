#!/usr/bin/env bash
# Soak benchmark, run by hand (never by CI): does either program grow or drift over time?
#
#   bench/soak.sh [--cycles N] [--changes M]
#
# Builds the x86_64 programs with 2.1-second minutes (build/soak; a notice still hides 2 s after
# it shows, before the next one) and runs them under Wine on a private virtual display with a
# window manager (openbox):
# 1. The break reminder, regime 30/5 at raised protection, for N cycles (default 100; one cycle
#    is 35 of its minutes, about 74 s, plus the key wait). Each key wait is ended with a key.
#    After every cycle one line: how far the key wait came from its clock time (measured from
#    the key press that began the work period, so any drift adds up), the process's PSS and
#    private memory (/proc/PID/smaps_rollup), and its GDI and USER objects where Wine counts
#    them. Then: soak: N cycles, PSS growth X KB, GDI objects A -> B, USER objects C -> D
#    (growth from the first cycle's sample to the last).
# 2. The setup tool through M changes (default 1000), install, remove, regime and protection at
#    random, each made by the messages a user's click or drag sends; sampled every 100, and at
#    the end its registry checked against what its window shows.
set -euo pipefail
cd "$(dirname "$0")/.."

cycles=100 changes=1000 minute_ms=2100
while [ $# -gt 0 ]; do
  case "$1" in
    --cycles) cycles=$2; shift 2 ;;
    --changes) changes=$2; shift 2 ;;
    *) echo "usage: bench/soak.sh [--cycles N] [--changes M]" >&2; exit 2 ;;
  esac
done

build=build/soak
install=$build/install
export WINEPREFIX=$PWD/$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=ru_RU.UTF-8

echo "soak: building $build (x86_64, ${minute_ms} ms minutes)"
toolchain=()
[ -f "$build/CMakeCache.txt" ] || toolchain=(-DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/x86_64-w64-mingw32.cmake)
cmake -S . -B "$build" "${toolchain[@]}" \
  -DCMAKE_BUILD_TYPE=MinSizeRel -DBUILD_TESTING=OFF -DPAUSARIUM_MINUTE_MS="$minute_ms" -DPAUSARIUM_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target Pausarium PausariumSetup soak-probe >/dev/null
cmake --install "$build" --prefix "$install" >/dev/null
scripts/wine-prefix.sh

# A private display with a window manager, and everything of this run ended on the way out.
display=120
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
wm_pid=
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=":$display"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
openbox --sm-disable >/dev/null 2>&1 &
wm_pid=$!
sleep 1

probe() { wine "$build/bench/soak-probe.exe" "$@" 2>/dev/null | tr -d '\r'; }
now_ms() { date +%s%3N; }
reg() { wine reg "$@" /reg:64 >/dev/null 2>&1 || true; }
# The Linux process of a Windows program of this prefix (its command line is the Windows path).
pid_of() {
  local p
  for p in $(pgrep -f "\\\\$1"); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && { echo "$p"; return 0; }
  done
  return 1
}
# "PSS PRIVATE" in KB
memory() { awk '/^Pss:/ { pss = $2 } /^Private_(Clean|Dirty):/ { own += $2 } END { print pss, own }' "/proc/$1/smaps_rollup"; }
# "GDI USER" objects, n/a where Wine does not count them
objects() { probe objects | awk -F'[= ]' '{ print $2, $4 }'; }
wait_until() {  # wait_until SECONDS command...: polls every 0.1 s
  local end=$(($(now_ms) + $1 * 1000)); shift
  until "$@"; do [ "$(now_ms)" -ge "$end" ] && return 1; sleep 0.1; done
}
reminder_is() { [ "$(probe reminder)" = "$1" ]; }
window_gone() { ! probe reminder >/dev/null; }

# --- 1. the break reminder ---------------------------------------------------------------------
reg delete 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run' /v Pausarium /f
reg add 'HKCU\SOFTWARE\Pausarium' /v RegimeType /t REG_DWORD /d 0 /f
reg add 'HKCU\SOFTWARE\Pausarium' /v ProtectionLevel /t REG_DWORD /d 1 /f
wine "$install/Pausarium.exe" >/dev/null 2>&1 &
wait_until 30 probe reminder >/dev/null || { echo "soak: the reminder did not start" >&2; exit 1; }
work_began=$(now_ms)
pid=$(pid_of 'Pausarium\.exe')
cycle_ms=$((35 * minute_ms))  # 27 work, 3 notice and 5 break minutes
echo "soak: reminder (Linux pid $pid), regime 30/5, raised protection, one cycle $cycle_ms ms plus the key wait"

first_pss= first_own= first_gdi= first_user= first_drift= pss= own= gdi= user= drift=
owns=()
for cycle in $(seq 1 "$cycles"); do
  due=$((work_began + cycle_ms))
  wait_ms=$((due - 2000 - $(now_ms)))
  [ "$wait_ms" -gt 0 ] && sleep "$(LC_ALL=C awk -v ms="$wait_ms" 'BEGIN { print ms / 1000 }')"
  if ! wait_until 30 reminder_is "visible=1 lock=0"; then
    echo "soak: cycle $cycle: no key wait 28 s after it was due ($(probe reminder))" >&2; exit 1
  fi
  drift=$(($(now_ms) - due))
  sleep 0.5
  window=$(xdotool search --onlyvisible --name '^Pausarium' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && { xdotool windowfocus --sync "$window" 2>/dev/null || true; }
  work_began=$(now_ms)
  xdotool key shift
  if ! wait_until 5 reminder_is "visible=0 lock=0"; then
    work_began=$(now_ms); xdotool key shift  # once more, should the first key have gone astray
    wait_until 5 reminder_is "visible=0 lock=0" || { echo "soak: cycle $cycle: the key did not end the key wait" >&2; exit 1; }
  fi
  sleep 2  # the hidden window's drawing surface is let go of after the hide, not at it
  read -r pss own < <(memory "$pid")
  read -r gdi user < <(objects)
  [ -z "$first_pss" ] && { first_pss=$pss; first_own=$own; first_gdi=$gdi; first_user=$user; first_drift=$drift; }
  owns+=("$own")
  printf 'cycle %3d: key wait %+5d ms from its clock time, PSS %6d KB, private %6d KB, GDI %s, USER %s\n' \
    "$cycle" "$drift" "$pss" "$own" "$gdi" "$user"
done
echo "soak: $cycles cycles, PSS growth $((pss - first_pss)) KB, GDI objects $first_gdi -> $gdi, USER objects $first_user -> $user"
echo "soak: private memory growth $((own - first_own)) KB, key wait $first_drift -> $drift ms from its clock time"
# Memory comes and goes with the window's drawing surfaces: the lowest sample of the first and of
# the last ten cycles tell growth from that noise.
if [ "${#owns[@]}" -gt 0 ]; then
  low() { printf '%s\n' "$@" | sort -n | head -n 1; }
  echo "soak: private memory at least $(low "${owns[@]:0:10}") KB in the first ten cycles, at least $(low "${owns[@]: -10}") KB in the last ten"
fi
probe close >/dev/null
wait_until 10 window_gone || true

# --- 2. the setup tool -------------------------------------------------------------------------
reg delete 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run' /v Pausarium /f
reg delete 'HKCU\SOFTWARE\Pausarium' /f
wine "$install/PausariumSetup.exe" >/dev/null 2>&1 &
wait_until 30 probe objects >/dev/null || { echo "soak: the setup tool did not start" >&2; exit 1; }
sleep 1
pid=$(pid_of 'PausariumSetup\.exe')
read -r first_pss first_own < <(memory "$pid")
read -r first_gdi first_user < <(objects)
printf 'setup start: PSS %6d KB, private %6d KB, GDI %s, USER %s\n' "$first_pss" "$first_own" "$first_gdi" "$first_user"
done_changes=0 unexpected=0 batch=0 inconsistent=0
while [ "$done_changes" -lt "$changes" ]; do
  batch=$((batch + 1))
  n=$((changes - done_changes < 100 ? changes - done_changes : 100))
  result=$(probe drive "$n" "$batch")
  [ -n "$result" ] || { echo "soak: the setup window did not take the changes" >&2; exit 1; }
  done_changes=$((done_changes + n))
  unexpected=$((unexpected + $(sed 's/.*unexpected=//' <<<"$result")))
  read -r pss own < <(memory "$pid")
  read -r gdi user < <(objects)
  consistency=$(probe check || true)
  [[ $consistency == "registry consistent"* ]] || inconsistent=$((inconsistent + 1))
  printf 'changes %4d: PSS %6d KB, private %6d KB, GDI %s, USER %s, %s\n' "$done_changes" "$pss" "$own" "$gdi" "$user" "$consistency"
done
echo "setup soak: $changes changes, PSS growth $((pss - first_pss)) KB, GDI objects $first_gdi -> $gdi, USER objects $first_user -> $user"
echo "setup soak: private memory growth $((own - first_own)) KB, $unexpected toggles not as clicked, registry inconsistent after $inconsistent of $batch batches; at the end $consistency"
probe close >/dev/null
