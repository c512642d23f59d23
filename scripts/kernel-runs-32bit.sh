#!/usr/bin/env bash
# Exits 0 when this machine's kernel runs 32-bit x86 programs (what 32-bit Wine, and with it the
# shipped i686 build, needs), 1 when it does not. It finds out by running one: a 96-byte i386 ELF
# executable written here byte by byte, whose only instructions are exit(42) through int 0x80, so
# no 32-bit package has to be installed first. A kernel without 32-bit support still runs it when
# binfmt_misc hands i386 executables to an emulator (scripts/emulate-32bit.sh sets one up).
# PAUSARIUM_KERNEL_32BIT=no treats the kernel as one without 32-bit support, to try that path on
# any machine: the answer is then "yes" only when our emulator is registered and enabled (binfmt
# handlers come before the kernel's own loader, so the program then runs through it), else "no".
set -euo pipefail
if [ "${PAUSARIUM_KERNEL_32BIT:-}" = no ]; then
  grep -qx enabled /proc/sys/fs/binfmt_misc/pausarium-i386 2>/dev/null || exit 1
fi

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
# ELF header (52 bytes): 32-bit, little-endian, executable, i386, entry 0x08048054, one program
# header at offset 52.
printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000' >"$dir/exit42"
printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000' >>"$dir/exit42"
printf '\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000' >>"$dir/exit42"
# Program header (32 bytes): the whole 96-byte file loaded read+execute at 0x08048000.
printf '\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010' >>"$dir/exit42"
printf '\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000' >>"$dir/exit42"
# Code (12 bytes): mov eax, 1 (exit); mov ebx, 42; int 0x80.
printf '\270\001\000\000\000\273\052\000\000\000\315\200' >>"$dir/exit42"
chmod +x "$dir/exit42"
status=0
"$dir/exit42" 2>/dev/null || status=$?
[ "$status" -eq 42 ]
