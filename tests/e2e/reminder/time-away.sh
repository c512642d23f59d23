#!/usr/bin/env bash
# Time away is the break, regime 30/5 with 3-second minutes (work 81 s, notices 9 s, break
# 15 s). Five reminders run side by side in one prefix, each walking its cases at the same
# time, so the scenario lasts about one work period and a break rather than one per case:
#   session   locked 22 s (from 14 s): the first notice a full work period after the unlock;
#             then locked 6 s: changes nothing
#   sleep     from 14 s the suspend notice, the process stopped 22 s (kill -STOP, as Windows stops it),
#             continued, the resume notice: the first notice a work period after the resume;
#             then, 6 s after its lock was seen to begin (its first notice seen, and 9 s),
#             asleep 11 s: shorter than the break, longer than what was left of it: at the
#             resume the key wait, still shown, which a key then ends
#   standby   stopped from 62 s to 104 s with no notice at all, over the work timer's due time
#             (81 s, so 23 s late): nothing shows at the continuation, the first notice a work
#             period later
#   idle      IdleBreak 1, no input from its start: the notices wait; typing into notepad from
#             36 s brings them one work period after the typing began (no reminder's window
#             shows in that stretch: a window appearing under the pointer may count as input)
#   typing    IdleBreak 1, started when the typing begins and typing throughout: the usual
#             timeline
# The notices are sent to each reminder's window by the probe, as Windows sends them. Under
# QEMU's user-mode emulation each 32-bit Wine process is a qemu-i386 process: the reminders are
# found by the program file they map.
set -uo pipefail
here=$(dirname "$0")
source "$here/../lib.sh"
source "$here/reminder-lib.sh"
start_window_manager

readonly WM_POWERBROADCAST=0x218 PBT_APMSUSPEND=4 PBT_APMRESUMEAUTOMATIC=0x12 PBT_APMRESUMESUSPEND=7
readonly WM_WTSSESSION_CHANGE=0x2B1 WTS_SESSION_LOCK=7 WTS_SESSION_UNLOCK=8
minute=$(awk -v ms="$E2E_MINUTE_MS" 'BEGIN { print ms / 1000 }')
[ "$minute" = 3 ] || { echo "this scenario's moments are set for 3-second minutes"; exit 1; }

ms() { date +%s%3N; }
epoch=$(ms)
clock() { awk -v t="$(( $(ms) - epoch ))" 'BEGIN { printf "%6.1f", t / 1000 }'; }
say() { echo "$(clock) $*"; }

# The Linux processes (qemu-i386 or Wine's own) that map this build's Pausarium.exe.
unix_pids() {
  local p
  for p in $(pgrep -u "$(id -u)" . 2>/dev/null); do
    grep -qF "$E2E_INSTALL_DIR/Pausarium.exe" "/proc/$p/maps" 2>/dev/null && echo "$p"
  done
  return 0
}
# "PID VISIBLE" of every reminder window, by its Windows process id.
windows() { probe all | sed -n 's/^pid=\([0-9]*\) visible=\([01]\) .*$/\1 \2/p'; }
# titled N: N reminders or more have read the settings (their title says the regime).
titled() { [ "$(probe all | grep -c ' title=Pausarium - 30/5$')" -ge "$1" ]; }

declare -A win unix started
# start_reminder NAME: starts one more reminder and waits for its window; notes its Windows and
# Linux process ids and when its cycle began (its window was first seen).
start_reminder() {
  local known_win known_unix w u t
  known_win=" $(windows | cut -d' ' -f1 | tr '\n' ' ') "
  known_unix=" $(unix_pids | tr '\n' ' ') "
  wine "$exe" >"$E2E_ARTIFACTS/time-away-$1.log" 2>&1 &
  for _ in $(seq 60); do
    t=$(ms)
    for w in $(windows | cut -d' ' -f1); do [[ $known_win == *" $w "* ]] || win[$1]=$w; done
    [ -n "${win[$1]:-}" ] && break
    sleep 0.3
  done
  [ -n "${win[$1]:-}" ] || { fail "the $1 reminder starts"; return 1; }
  started[$1]=$t
  for u in $(unix_pids); do [[ $known_unix == *" $u "* ]] || unix[$1]=$u; done
  say "$1: windows pid ${win[$1]}, process ${unix[$1]:-?}"
}
send() { probe send "${win[$1]}" "$2" "$3" >/dev/null || say "$1: no answer to $2 $3"; }
at() { echo $(( started[$1] + $2 * 1000 )); }  # at NAME SECONDS: that moment of its cycle, in ms

# Typing into notepad about every 1.5 s while the file exists.
typing=$E2E_ARTIFACTS/time-away-typing
type_on() {
  : >"$typing"
  ( while [ -e "$typing" ]; do xdotool type --delay 40 ab; sleep 1.4; done ) &
  typer_pid=$!
}
type_off() { rm -f "$typing"; [ -z "${typer_pid:-}" ] || wait "$typer_pid" 2>/dev/null; }

# On every way out, a failure or a timeout too: no reminder left stopped, no typing, no program.
cleanup() {
  local u
  for u in "${unix[@]}"; do kill -CONT "$u" 2>/dev/null; done
  rm -f "$typing"
  [ -z "${typer_pid:-}" ] || kill "$typer_pid" 2>/dev/null
  stop_programs
  reg_del_value "$settings" IdleBreak  # the scenarios after this one give no input
  kill "$window_manager_pid" 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 1' TERM INT HUP

reg_set "$settings" RegimeType REG_DWORD 0
reg_set "$settings" ProtectionLevel REG_DWORD 0
reg_del_value "$settings" IdleBreak
wine notepad >"$E2E_ARTIFACTS/notepad.log" 2>&1 &
wait_for 30 sh -c 'xdotool getactivewindow getwindowname 2>/dev/null | grep -q "Блокнот\|Notepad"' ||
  fail "notepad opens in the foreground"

epoch=$(ms)
start_reminder standby || finish
start_reminder session || finish
start_reminder sleep || finish
wait_for 30 titled 3 || fail "the first three reminders read the settings"
reg_set "$settings" IdleBreak REG_DWORD 1
start_reminder idle || finish

# What each reminder is told, and when: "MOMENT-MS NAME ACTION ARGS", from when its window was
# first seen; what comes after an action is timed from when it was done, and what is expected
# is judged from when each action was done.
plan=$(sort -n <<EOF
$(at session 14) session lock 22 6
$(at sleep 14) sleep suspend 22
$(at standby 62) standby stop
$(at standby 104) standby continue
$(at idle 36) idle typing
EOF
)

declare -A done_at count seen  # when the Nth of each action was done; when each window was seen
polls=  # when each look at the windows began
look_before=0
schedule() { plan=$(printf '%s\n%s\n' "$plan" "$*" | sed '/^$/d' | sort -n); }  # schedule MS NAME ACTION ARGS
suspend() { send "$1" $WM_POWERBROADCAST $PBT_APMSUSPEND; kill -STOP "${unix[$1]}"; }
resume() {
  kill -CONT "${unix[$1]}"
  send "$1" $WM_POWERBROADCAST $PBT_APMRESUMEAUTOMATIC
  send "$1" $WM_POWERBROADCAST $PBT_APMRESUMESUSPEND
}
act() {  # act NAME ACTION ARGS...: done_at["NAME ACTION#N"] notes when
  local name=$1 action=$2 key; shift 2
  say "$name: $action $*"
  case $action in
    # Each end is timed from when its beginning was done: the lengths hold however slow the loop.
    lock)  # lock SECONDS [SECONDS-OF-A-SECOND-LOCK-4-S-LATER]
      send "$name" $WM_WTSSESSION_CHANGE $WTS_SESSION_LOCK
      schedule $(( $(ms) + $1 * 1000 )) "$name" unlock ${2:-} ;;
    unlock)
      send "$name" $WM_WTSSESSION_CHANGE $WTS_SESSION_UNLOCK
      [ -z "${1:-}" ] || schedule $(( $(ms) + 4000 )) "$name" lock "$1" ;;
    suspend) suspend "$name"; schedule $(( $(ms) + $1 * 1000 )) "$name" resume ;;
    resume) resume "$name" ;;
    stop) kill -STOP "${unix[$name]}" ;;
    continue) kill -CONT "${unix[$name]}" ;;
    typing) type_on; wine "$exe" >"$E2E_ARTIFACTS/time-away-typing.log" 2>&1 & ;;
    nap) suspend "$name"; schedule $(( $(ms) + 11000 )) "$name" wake ;;
    wake)  # the resume; whether the window is shown then, and a key press as the window gets it
      woke_at=$(ms)
      kill -CONT "${unix[$name]}"
      send "$name" $WM_POWERBROADCAST $PBT_APMRESUMEAUTOMATIC
      shown_at_resume=$(windows | awk -v p="${win[$name]}" '$1 == p { print $2 }')
      key_at=$(ms)
      send "$name" 0x100 0x20
      send "$name" $WM_POWERBROADCAST $PBT_APMRESUMESUSPEND ;;
  esac
  key="$name $action"
  count[$key]=$(( ${count[$key]:-0} + 1 ))
  done_at["$key#${count[$key]}"]=$(ms)
}
# first_seen NAME FROM [TO]: the first moment (ms) from FROM to TO its window was seen, or nothing.
first_seen() {
  local t
  for t in ${seen[$1]:-}; do [ "$t" -ge "$2" ] && [ "$t" -le "${3:-$t}" ] && { echo "$t"; return; }; done
}
since() { echo $(( ($1 - $2) / 1000 )); }  # whole seconds from $2 to $1

# Until the standby reminder's notice has come, a work period after it continued (or could have).
while :; do
  t=$(ms)
  while [ -n "$plan" ] && [ "${plan%% *}" -le "$t" ]; do
    read -r _ name action args <<<"${plan%%$'\n'*}"
    # shellcheck disable=SC2086
    act "$name" "$action" $args
    if [[ $plan == *$'\n'* ]]; then plan=${plan#*$'\n'}; else plan=; fi
  done
  # A look at the windows takes seconds under QEMU: an action due sooner waits for its moment.
  if [ -n "$plan" ] && [ $(( ${plan%% *} - $(ms) )) -lt 4000 ]; then
    wait_ms=$(( ${plan%% *} - $(ms) ))
    [ "$wait_ms" -le 0 ] || sleep "$(( wait_ms / 1000 )).$(printf %03d $(( wait_ms % 1000 )))"
    continue
  fi
  # The sleep reminder's lock begins 9 s (three notices) after its first notice; the look
  # before the one that saw it bounds how late that was seen.
  if [ -z "${napping:-}" ] && [ -n "${done_at["sleep resume#1"]:-}" ]; then
    lock_notice=$(first_seen sleep $(( ${done_at["sleep resume#1"]} + 3000 )))
    if [ -n "$lock_notice" ]; then
      napping=1
      for p in $polls; do [ "$p" -lt "$lock_notice" ] && look_before=$p; done
      schedule $(( lock_notice + 15000 )) sleep nap
    fi
  fi
  t=$(ms)
  polls+="$t "
  while read -r pid visible; do
    name=
    for n in "${!win[@]}"; do [ "${win[$n]}" = "$pid" ] && name=$n; done
    if [ -z "$name" ] && [ -n "${done_at["idle typing#1"]:-}" ]; then  # started with the typing
      win[typing]=$pid; started[typing]=$t; name=typing; say "typing: windows pid $pid"
    fi
    [ -n "$name" ] && [ "$visible" = 1 ] && seen[$name]+="$t "
  done < <(windows)
  if [ -e "$typing" ] && [ -n "${started[typing]:-}" ] && [ "$t" -gt "$(at typing 90)" ]; then type_off; fi
  continued=${done_at["standby continue#1"]:-}
  if [ -n "$continued" ]; then
    [ -n "$(first_seen standby $(( continued + 70000 )))" ] && break
    [ "$t" -gt $(( continued + 95000 )) ] && break
  fi
done
type_off

in_range() { [ -n "$1" ] && [ "$1" -ge "$2" ] && [ "$1" -le "$3" ]; }
# expect_notice NAME FROM EARLIEST LATEST WHY: the window first seen after FROM (ms of the
# scenario, or a reminder's start when FROM is its name) EARLIEST to LATEST seconds later.
expect_notice() {
  local from=$2 first after=
  first=$(first_seen "$1" $(( from + 3000 )))
  [ -n "$first" ] && after=$(since "$first" "$from")
  say "$1: first seen ${after:-never} s after (expected $3..$4 s)"
  check "$5" in_range "$after" "$3" "$4"
}
gap() { since "${done_at["$2"]}" "${done_at["$1"]}"; }  # gap FROM-ACTION TO-ACTION: seconds

say "session: locked $(gap "session lock#1" "session unlock#1") s, then $(gap "session lock#2" "session unlock#2") s"
expect_notice session "${done_at["session unlock#1"]}" 74 87 \
  "a session locked 22 s: the first notice a work period after the unlock, and a 6 s lock changes nothing"
say "sleep: asleep $(gap "sleep suspend#1" "sleep resume#1") s"
expect_notice sleep "${done_at["sleep resume#1"]}" 74 87 "asleep 22 s: the first notice a work period after the resume"
if [ -n "${done_at["sleep wake#1"]:-}" ]; then
  napped=${done_at["sleep nap#1"]}
  say "sleep: lock seen from $(( (lock_notice + 9000 - epoch) / 1000 )) s (the look before at $(( (look_before - epoch) / 1000 )) s), asleep from $(( (napped - epoch) / 1000 )) s for $(since "$woke_at" "$napped") s"
  # Its lock began 9 s after a first notice that came after the look before the one that saw it.
  check "the sleep reminder went to sleep again in its lock" [ "$napped" -lt $(( look_before + 9000 + 15000 )) ]
  check "asleep in the lock shorter than the break, longer than what was left of it: shown at the resume" \
    [ "${shown_at_resume:-}" = 1 ]
  check "... in the key wait: a key hides it" [ -z "$(first_seen sleep $(( key_at + 2000 )) $(( key_at + 8000 )))" ]
else
  fail "the sleep reminder's lock was seen and slept through"
fi
check "the standby reminder showed nothing when it went on" \
  [ -z "$(first_seen standby $(( ${started[standby]} + 3000 )) $(( ${done_at["standby continue#1"]} + 60000 )))" ]
expect_notice standby "${done_at["standby continue#1"]}" 74 87 \
  "stopped over the work timer's due time with no notice: a fresh work period from the continuation"
typed=${done_at["idle typing#1"]}
expect_notice idle "$typed" 74 87 "IdleBreak with no input: the notices come a work period after the typing began"
if [ -n "${started[typing]:-}" ]; then
  expect_notice typing "${started[typing]}" 74 85 "IdleBreak with typing throughout: the usual timeline"
else
  fail "the reminder started with the typing"
fi
say "scenario time"
stop_programs
reg_del_key "$settings"
finish
