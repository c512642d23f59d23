#!/usr/bin/env bash
# Builds Pausarium, installs it into a Wine prefix and starts the setup tool there; the break
# reminder is started the way Windows starts it at log-on. Where 32-bit Wine runs, it installs
# what ships, as a user of 64-bit Windows would: the x86 installer, silently, into
# "Program Files (x86)". Elsewhere it builds for 64-bit Windows and installs with cmake --install.
# On a machine with no display it runs on a virtual one, with a window manager, and saves a
# screenshot of the setup dialog.
set -euo pipefail
cd "$(dirname "$0")/.."

# Modes of this command. Without arguments: build, install and start the product. Any other mode
# is dispatched to its own script from here, before anything is built.
case "${1:-}" in
  '') ;;
  --demo) exec scripts/demo.sh ;;  # one whole break in about two minutes
  *) echo "usage: scripts/run-product.sh [--demo]" >&2; exit 2 ;;
esac

scripts/install-deps.sh
export WINEPREFIX="${WINEPREFIX:-$HOME/.pausarium-wine}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=ru_RU.UTF-8

# No display here: a virtual one, with a window manager as on a desktop (the dialog gets its
# title bar), made before Wine first starts so that all of Wine's windows go there.
headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  display=98
  while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
  Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  wm_pid=
  trap 'wineserver -k 2>/dev/null || true; [ -z "$wm_pid" ] || kill $wm_pid 2>/dev/null || true; kill $xvfb_pid 2>/dev/null || true' EXIT
  export DISPLAY=":$display"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
  openbox --sm-disable >/dev/null 2>&1 &
  wm_pid=$!
fi

wine32_runs() {
  scripts/kernel-runs-32bit.sh &&
    dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'
}
if wine32_runs; then
  cmake --preset i686 >/dev/null
  cmake --build --preset i686 -j"$(nproc)"
  cmake --build --preset i686 --target package >/dev/null
  installer=$(ls build/i686/Pausarium-*-x86.exe | head -n 1)
  scripts/wine-prefix.sh
  install_dir="$WINEPREFIX/drive_c/Program Files (x86)/Pausarium"
  wine "$installer" /S
  [ -f "$install_dir/PausariumSetup.exe" ] || { echo "$(basename "$installer") /S installed nothing" >&2; exit 1; }
  echo "Installed $(basename "$installer") into $install_dir"
  reg_view=32  # a 32-bit program's HKLM\SOFTWARE: WOW6432Node
else
  echo "32-bit Wine does not run here: installing the x86_64 build instead"
  cmake --preset x86_64 >/dev/null
  cmake --build --preset x86_64 -j"$(nproc)"
  scripts/wine-prefix.sh
  install_dir="$WINEPREFIX/drive_c/Program Files/Pausarium"
  cmake --install build/x86_64 --prefix "$install_dir" >/dev/null
  echo "Installed into $install_dir"
  reg_view=64
fi

if [ $headless -eq 1 ]; then
  wine "$install_dir/PausariumSetup.exe" >/dev/null 2>&1 &
  shown=0
  for _ in $(seq 150); do
    xdotool search --onlyvisible --name '^Pausarium v2.3 Setup$' >/dev/null 2>&1 && { shown=1; break; }
    sleep 0.2
  done
  [ $shown -eq 1 ] || echo "The setup dialog did not appear within 30 seconds" >&2
  sleep 2  # its controls paint after it appears
  mkdir -p build/screenshots
  import -window root build/screenshots/run-product.png
  echo "No display here: the setup dialog ran on a virtual one, see build/screenshots/run-product.png"
  exit $((1 - shown))
fi

# The setup tool registers the reminder for start at log-on; then start the reminder as that
# registration would.
wine "$install_dir/PausariumSetup.exe"
if wine reg query 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run' /v Pausarium "/reg:$reg_view" >/dev/null 2>&1; then
  echo "Starting the break reminder (it runs hidden until the first notice)."
  wine "$install_dir/Pausarium.exe" &
fi
