#!/usr/bin/env bash
# Runs a Windows program under Wine with the test settings: a throwaway prefix (shared by one
# test run through WINEPREFIX), no debug chatter, no Mono or Gecko, and the Russian locale so
# that the ANSI code page is 1251.
set -euo pipefail
: "${WINEPREFIX:=${TMPDIR:-/tmp}/pausarium-wine-$(id -u)}"
export WINEPREFIX
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=ru_RU.UTF-8
"$(dirname "$0")/../../scripts/wine-prefix.sh"
exec wine "$@"
