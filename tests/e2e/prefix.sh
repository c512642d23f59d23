#!/usr/bin/env bash
# setup: a fresh Wine prefix for this test run and the programs installed by `cmake --install`.
# cleanup: every Wine process of the prefix ended.
set -euo pipefail
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=ru_RU.UTF-8
case "$1" in
  setup)
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX" "$E2E_INSTALL_DIR" "$E2E_ARTIFACTS"
    mkdir -p "$E2E_ARTIFACTS"
    "$(dirname "$0")/../../scripts/wine-prefix.sh"
    cmake --install "$E2E_BUILD_DIR" --prefix "$E2E_INSTALL_DIR" >/dev/null
    echo "prefix ready: $WINEPREFIX"
    ;;
  cleanup)
    wineserver -k 2>/dev/null || true
    echo "wineserver ended"
    ;;
esac
