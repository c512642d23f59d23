#!/usr/bin/env bash
# Prints how this machine runs 32-bit x86 programs: "natively", or "emulated by INTERPRETER
# (its version line)" when an enabled binfmt_misc entry hands i386 ELF executables to an
# interpreter (such entries come before the kernel's own loader). Run it where
# scripts/kernel-runs-32bit.sh has said that 32-bit programs run.
set -euo pipefail
mnt=/proc/sys/fs/binfmt_misc
if grep -qx enabled "$mnt/status" 2>/dev/null; then
  for entry in "$mnt"/*; do
    case $(basename "$entry") in register|status) continue ;; esac
    # magic "7f454c46 01..." with e_machine 3 (bytes 18-19): the i386 ELF header
    awk '$1 == "enabled" { on = 1 } $1 == "magic" && $2 ~ /^7f454c4601/ && substr($2, 37, 4) == "0300" { i386 = 1 }
      END { exit !(on && i386) }' "$entry" 2>/dev/null || continue
    interpreter=$(awk '$1 == "interpreter" { print $2 }' "$entry")
    echo "emulated by $interpreter ($("$interpreter" --version 2>/dev/null | head -n 1 || echo "version unknown"))"
    exit 0
  done
fi
echo natively
