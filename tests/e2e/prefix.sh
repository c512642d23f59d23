#!/usr/bin/env bash
# setup: a fresh Wine prefix for this test run and the programs installed by `cmake --install`.
# cleanup: every Wine process of the prefix ended.
# Both end an Xvfb that a scenario started and could not end itself, killed (at its timeout)
# before its trap ran: the scenario notes its pid in $E2E_BUILD_DIR/e2e-xvfb.pid.
#
# Making a prefix (wineboot) takes tens of seconds and writes over a gigabyte, most of it Wine's
# own modules. So it is made once per Wine version, as a template beside the build directories
# ($E2E_PREFIX_TEMPLATE) that every test build shares, and each run's prefix is a copy of it: the
# modules, fonts and code-page tables, which nothing ever writes, as hard links; every other file,
# the registry among them, as a copy of its own.
set -euo pipefail
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=ru_RU.UTF-8
scripts=$(dirname "$0")/../../scripts

# The template, made or remade (for another Wine version) under a lock: builds may share it.
make_template() {
  local version; version=$(wine --version)
  [ "$(cat "$E2E_PREFIX_TEMPLATE/.made-by" 2>/dev/null)" = "$version" ] && return
  rm -rf "$E2E_PREFIX_TEMPLATE"
  WINEPREFIX=$E2E_PREFIX_TEMPLATE "$scripts/wine-prefix.sh"
  WINEPREFIX=$E2E_PREFIX_TEMPLATE wineserver -w
  echo "$version" >"$E2E_PREFIX_TEMPLATE/.made-by"
  echo "prefix template made: $E2E_PREFIX_TEMPLATE"
}
copy_template() {
  cp -a --link "$E2E_PREFIX_TEMPLATE/." "$WINEPREFIX/" || return 1
  find "$WINEPREFIX" -type f ! -iregex '.*\.\(dll\|exe\|drv\|sys\|nls\|ocx\|cpl\|acm\|vxd\|tlb\|ax\|ds\|fon\|ttf\|com\)' \
    -exec sh -c 'for f; do cp -p "$f" "$f.own" && mv -f "$f.own" "$f"; done' sh {} +
}

end_scenario_display() {
  local file=$E2E_BUILD_DIR/e2e-xvfb.pid pid
  pid=$(cat "$file" 2>/dev/null) || return 0
  # Only that Xvfb: the number may belong to another process by now.
  [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ] && kill "$pid" 2>/dev/null
  rm -f "$file"
}

case "$1" in
  setup)
    end_scenario_display
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX" "$E2E_INSTALL_DIR" "$E2E_ARTIFACTS"
    mkdir -p "$E2E_ARTIFACTS" "$WINEPREFIX" "$(dirname "$E2E_PREFIX_TEMPLATE")"
    ( flock 9; make_template ) 9>"$E2E_PREFIX_TEMPLATE.lock"
    if ! copy_template; then  # another file system: a prefix of its own
      rm -rf "$WINEPREFIX"
      "$scripts/wine-prefix.sh"
    fi
    cmake --install "$E2E_BUILD_DIR" --prefix "$E2E_INSTALL_DIR" >/dev/null
    echo "prefix ready: $WINEPREFIX"
    ;;
  cleanup)
    end_scenario_display
    wineserver -k 2>/dev/null || true
    echo "wineserver ended"
    ;;
esac
