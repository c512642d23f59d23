#!/usr/bin/env bash
# Group Policy over the user's settings: the computer's policy, written in the registry's 64-bit
# view as Group Policy writes it, wins over the user's own regime and gives a user without settings
# a cycle; the user's policy wins where the computer's does not; wrong policy values change nothing
# and show no box, nor does a broken own value that a policy overrides; a broken own value of a
# setting no policy sets gives its box without stopping the policy's cycle.
set -uo pipefail
here=$(dirname "$0")
source "$here/../lib.sh"
source "$here/reminder-lib.sh"

machine='HKLM\SOFTWARE\Policies\Pausarium'
user='HKCU\SOFTWARE\Policies\Pausarium'
policy_set() { wine reg add "$1" /v "$2" /t "$3" /d "$4" /f /reg:64 >/dev/null 2>&1; }
policy_clear() { wine reg delete "$machine" /f /reg:64 >/dev/null 2>&1; wine reg delete "$user" /f /reg:64 >/dev/null 2>&1; true; }
title_after_start() {  # title_after_start CASE TITLE: the reminder starts with that title, no box
  start_program "$exe"
  check "$1: the window appears" wait_for 20 window_exists
  sleep 1
  check "$1: title '$2'" title_is "$2"
  check "$1: no error box" box_closed
  stop_programs
}

trap policy_clear EXIT  # the scenarios after this one run without policies
policy_clear
reg_set "$settings" RegimeType REG_DWORD 0
policy_set "$machine" RegimeType REG_DWORD 2
policy_set "$user" RegimeType REG_DWORD 1
title_after_start "computer policy over the user's policy and own value" 'Pausarium - 90/15'

wine reg delete "$machine" /v RegimeType /f /reg:64 >/dev/null 2>&1
title_after_start "user policy over the own value" 'Pausarium - 50/10'

policy_set "$machine" RegimeType REG_SZ 2
policy_set "$user" RegimeType REG_DWORD 7
title_after_start "wrong policy values change nothing" 'Pausarium - 30/5'

policy_clear
reg_del_key "$settings"
policy_set "$machine" RegimeType REG_DWORD 0
title_after_start "a user without settings gets the computer's regime" 'Pausarium - 30/5'

reg_set "$settings" RegimeType REG_SZ 1
policy_set "$machine" RegimeType REG_DWORD 1
title_after_start "a broken own value that the policy overrides" 'Pausarium - 50/10'

# A broken own value of a setting that no policy sets: its box still comes, but after the policy's
# cycle was armed, whose title the program carries.
reg_del_key "$settings"
reg_set "$settings" ProtectionLevel REG_SZ x
start_program "$exe"
check "broken own level beside the policy: its error box" wait_for 20 box_open
check "broken own level beside the policy: the type error" \
  grep -q "text=Invalid data type for 'ProtectionLevel' " <<<"$(probe errorbox)"
check "broken own level beside the policy: the policy's title" title_is 'Pausarium - 50/10'
stop_programs

policy_clear
reg_del_key "$settings"
finish
