#!/usr/bin/env bash
# Installs the Debian packages that building and testing Pausarium needs, only when missing,
# and makes sure the Russian UTF-8 locale exists (Wine derives the ANSI code page 1251 from it).
# Where the kernel refuses 32-bit programs it first sets up their user-mode emulation
# (scripts/emulate-32bit.sh: QEMU's qemu-i386 through binfmt_misc); where they then run it adds
# 32-bit Wine (wine32:i386, through Debian's multiarch), which runs the shipped i686 build and
# its x86 installer. A failed emulation set-up is reported and leaves 32-bit Wine out, and the
# tests take their path for machines without 32-bit support.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake make g++ googletest libgtest-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine64 xvfb openbox xdotool x11-utils imagemagick nsis zip unzip locales
  x11-xserver-utils  # xrandr, xsetroot: the three-monitor scenario splits the virtual screen, and colours its desktop
  fonts-wine  # Wine's bitmap "MS Sans Serif" (Cyrillic too): the dialogs' font, at its real metrics
  libxml2-utils  # xmllint: the Group Policy templates' check (tests/policies)
  osslsigncode openssl  # signing a release (scripts/sign-release.sh), and its test's throwaway certificate
)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

if ! scripts/kernel-runs-32bit.sh; then
  echo "This kernel does not run 32-bit programs: setting up their emulation"
  scripts/emulate-32bit.sh || echo "32-bit programs will not run here; 32-bit Wine is left out"
fi
if scripts/kernel-runs-32bit.sh; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "Adding the i386 architecture for 32-bit Wine"
    as_root dpkg --add-architecture i386
  fi
  packages+=(wine32:i386)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# A mirror in the middle of a sync serves an index whose size its Release file does not promise,
# and apt-get update fails for it ("Mirror sync in progress?"). Such an index is tried again a
# few times and then left out: the packages may well not need it.
update_package_lists() {
  local attempt
  for attempt in 1 2 3; do
    as_root apt-get update -qq && return 0
    echo "apt-get update failed (attempt $attempt of 3)"
    [ $attempt -lt 3 ] && sleep $((attempt * 10))
  done
  echo "Going on with the package lists that could be read: some index failed to download"
}

install_packages() {
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  update_package_lists
  if ! install_packages "${missing[@]}"; then
    # One architecture's index of an update suite missing makes multiarch packages (wine32:i386
    # beside wine64) ask for versions that only the other architecture has: the release's own
    # suite offers both at one version.
    release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    [ -n "$release" ] || { echo "The install failed, and this system names no release to fall back on"; exit 1; }
    echo "The install failed; installing again from the release's own suite ($release)"
    if ! install_packages -t "$release" "${missing[@]}"; then
      # The target release does not downgrade what is installed already: a wine64 taken earlier
      # from an update suite still asks for a wine32:i386 of its own version.
      echo "Installing from $release failed too (apt-get says why above); a package installed earlier"
      echo "from an update suite can need a 32-bit twin that the half-synced mirror lacks: try again"
      echo "when the mirror has finished syncing"
      exit 1
    fi
    echo "Installed from $release: the update suites' newer versions were not used"
  fi
fi

if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
  as_root sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi
