#!/usr/bin/env bash
# Makes sure the Wine prefix $WINEPREFIX exists and carries Wine's own fonts in its Fonts
# folder, as a Windows system carries its fonts: without them Wine falls back to the host's
# scalable fonts and the dialogs' "MS Sans Serif" is drawn wider than on Windows.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the prefix}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ -d /usr/share/wine/fonts ] && [ ! -f "$fonts/sserife.fon" ]; then
  mkdir -p "$fonts"
  cp /usr/share/wine/fonts/*.fon /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
fi
