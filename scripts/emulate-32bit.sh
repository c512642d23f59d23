#!/usr/bin/env bash
# Makes a kernel without 32-bit x86 support run 32-bit programs through user-mode emulation:
# mounts binfmt_misc, puts QEMU's qemu-i386 (version 8 or later, from Debian's qemu-user package)
# in /usr/local/lib/pausarium-qemu, and registers it in binfmt_misc as pausarium-i386, the
# interpreter of every i386 ELF executable. Only that one file comes from the package; on Debian
# 12, whose QEMU 7.2 starts 32-bit Wine far too slowly, the package comes from Debian 13 (trixie),
# fetched with an apt state of its own, so the machine's package lists and packages stay as they
# were. Each step is skipped when already done; on failure it says which step failed and why, and
# exits non-zero. Undo with: echo -1 >/proc/sys/fs/binfmt_misc/pausarium-i386
set -euo pipefail

dir=/usr/local/lib/pausarium-qemu
qemu=$dir/qemu-i386
mnt=/proc/sys/fs/binfmt_misc
name=pausarium-i386
next_release=trixie
# The i386 ELF header as QEMU's binfmt set-up matches it: class 32-bit, little-endian, type
# executable or shared object, machine i386.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

step="starting"
tmp=""
finish() {
  local status=$?
  [ -z "$tmp" ] || rm -rf "$tmp"
  [ $status -eq 0 ] || echo "32-bit emulation not set up: the step \"$step\" failed (see above)" >&2
}
trap finish EXIT
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
major() { sed -E 's/^[0-9]+://; s/[^0-9].*//' <<<"$1"; }  # 1:10.0.2+ds-1 -> 10
qemu_major() { major "$("$1" --version 2>/dev/null | sed -nE '1s/.*version ([0-9.]+).*/\1/p')"; }

step="mount binfmt_misc"
if ! mountpoint -q "$mnt"; then
  echo "Mounting binfmt_misc on $mnt"
  as_root mount -t binfmt_misc binfmt_misc "$mnt"
fi

# The first URI of the machine's own main archive: the source whose suite is the release's
# codename itself (not -updates, not -security), in deb822 or one-line form.
archive_uri() {
  local codename
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:?}")
  { for f in /etc/apt/sources.list.d/*.sources; do [ -f "$f" ] && cat "$f" && echo; done; } |
    awk -v c="$codename" 'BEGIN { RS = "" }
      { types = uris = suites = ""; enabled = 1
        n = split($0, lines, "\n")
        for (i = 1; i <= n; i++) {
          if (lines[i] ~ /^Types:/) types = " " lines[i] " "
          if (lines[i] ~ /^URIs:/) { split(lines[i], u, /[ \t]+/); uris = u[2] }
          if (lines[i] ~ /^Suites:/) suites = " " lines[i] " "
          if (lines[i] ~ /^Enabled:[ \t]*no/) enabled = 0
        }
        if (enabled && types ~ / deb / && suites ~ (" " c " ") && uris != "") print uris }'
  { cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null || true; } |
    sed -E 's/\[[^]]*\]//' | awk -v c="$codename" '$1 == "deb" && $3 == c { print $2 }'
}

# fetch_package DIR: qemu-user's package file into DIR, from this release when its QEMU is 8 or
# later, otherwise from the next release through a private apt state.
fetch_package() {
  local out=$1 candidate
  candidate=$(apt-cache policy qemu-user 2>/dev/null | awk '/Candidate:/ { print $2 }')
  if [ -n "$candidate" ] && [ "$candidate" != "(none)" ] && [ "$(major "$candidate")" -ge 8 ]; then
    echo "Downloading qemu-user $candidate of this release"
    cd "$out"
    apt-get download -qq qemu-user
    return
  fi
  step="find the main archive in the machine's apt sources"
  local uri
  uri=$(archive_uri | head -n 1)
  [ -n "$uri" ] || { echo "no main archive entry in /etc/apt/sources*" >&2; false; }
  step="read $next_release's package list (apt state of its own)"
  local state=$out/apt arch
  arch=$(dpkg --print-architecture)
  mkdir -p "$state/parts" "$state/lists/partial" "$state/cache/archives/partial"
  echo "deb [arch=$arch signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $uri $next_release main" \
    >"$state/sources.list"
  local apt_state=(-o "Dir::Etc::SourceList=$state/sources.list" -o "Dir::Etc::SourceParts=$state/parts"
    -o "Dir::State::Lists=$state/lists" -o "Dir::Cache=$state/cache" -o "Acquire::Languages=none")
  echo "Reading $next_release's package list from $uri"
  apt-get "${apt_state[@]}" update -qq
  step="download $next_release's qemu-user"
  cd "$out"
  apt-get "${apt_state[@]}" download -qq "qemu-user/$next_release"
}

step="obtain qemu-i386 of QEMU 8 or later"
if [ -x "$qemu" ] && [ "$(qemu_major "$qemu")" -ge 8 ] 2>/dev/null; then
  echo "Already there: $("$qemu" --version | head -n 1) ($qemu)"
else
  tmp=$(mktemp -d)
  if [ "$(id -u)" -eq 0 ] && id _apt >/dev/null 2>&1; then chown _apt "$tmp"; fi  # apt downloads as _apt
  fetch_package "$tmp"
  step="unpack qemu-i386 from the package"
  deb=$(ls "$tmp"/qemu-user_*.deb)
  dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$tmp" ./usr/bin/qemu-i386
  [ "$(qemu_major "$tmp/usr/bin/qemu-i386")" -ge 8 ] ||
    { echo "$deb holds no working qemu-i386 of QEMU 8 or later" >&2; false; }
  as_root install -D -m 755 "$tmp/usr/bin/qemu-i386" "$qemu"
  echo "Installed $("$qemu" --version | head -n 1) as $qemu"
fi

step="register $qemu in binfmt_misc as $name"
if [ -e "$mnt/$name" ] && ! grep -qx "interpreter $qemu" "$mnt/$name"; then
  echo -1 | as_root tee "$mnt/$name" >/dev/null  # someone else's interpreter under our name
fi
if [ ! -e "$mnt/$name" ]; then
  echo "Registering $qemu for i386 executables as $name"
  echo ":$name:M::$magic:$mask:$qemu:F" | as_root tee "$mnt/register" >/dev/null
fi
if ! grep -qx enabled "$mnt/$name"; then
  echo 1 | as_root tee "$mnt/$name" >/dev/null
fi
if ! grep -qx enabled "$mnt/status"; then
  echo 1 | as_root tee "$mnt/status" >/dev/null
fi
echo "32-bit programs run through $qemu ($name)"
