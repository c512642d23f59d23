# Shared by the packaging scenarios, sourced after ../lib.sh: the package under test, where it
# installs, and the helpers that install, uninstall and look. $E2E_PACKAGE_BUILD is the release
# build of the architecture under test: x86 in the i686 suite, whose 32-bit programs write
# HKLM\SOFTWARE through the 32-bit registry view (WOW6432Node, E2E_REG_VIEW=32), x64 in the
# 64-bit suite.

if [ "$E2E_REG_VIEW" = 32 ]; then
  arch=x86 program_files='Program Files (x86)'
else
  arch=x64 program_files='Program Files'
fi
RUN='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
UNINSTALL='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pausarium'
SETTINGS='HKCU\Software\Pausarium'
ACTIVE_SETUP='HKLM\Software\Microsoft\Active Setup\Installed Components\Pausarium'
WIN_DIR="C:\\$program_files\\Pausarium"
DIR="$WINEPREFIX/drive_c/$program_files/Pausarium"

# package_of BUILD ARCH: the installer that BUILD's package target makes (built first, so that it
# is the sources' own); fails, saying why, when it cannot be made.
package_of() {
  [ -f "$1/CMakeCache.txt" ] || { echo "FAIL: $1 is not configured (cmake --preset $(basename "$1"))"; return 1; }
  cmake --build "$1" --target package >"$E2E_ARTIFACTS/package-$2.log" 2>&1 \
    || { echo "FAIL: cmake --build $1 --target package (see $E2E_ARTIFACTS/package-$2.log)"; return 1; }
  ls "$1"/Pausarium-*-"$2".exe | head -n 1
}
installer=$(package_of "$E2E_PACKAGE_BUILD" "$arch") || { echo "$installer"; exit 1; }
echo "installer: $installer"

install_silently() { wine "$installer" /S "$@" >>"$E2E_ARTIFACTS/installer.log" 2>&1; }
exit_code() { "$@"; echo $?; }
# traced COMMAND...: runs it with Wine's trace of the processes started, and prints their command
# lines as typed (the trace's C escapes taken off), then "exit code N".
traced() {
  WINEDEBUG=-all,trace+process "$@" 2>&1 \
    | grep -a 'CreateProcessInternalW app' | tr -d '\r' | sed 's/\\"/"/g; s/\\\\/\\/g'
  echo "exit code ${PIPESTATUS[0]}"
}
install_traced() { traced wine "$installer" /S "$@"; }
# The uninstaller copies itself away and returns at once: wait until the directory is gone.
uninstall_silently() {
  wine "$DIR/Uninstall.exe" /S >>"$E2E_ARTIFACTS/installer.log" 2>&1
  wait_for 60 test ! -e "$DIR/Pausarium.exe"
  sleep 1
}
# uninstall_in_place WINDOWS_FOLDER: the uninstaller run in its folder (_?=, unquoted), which
# waits and returns its result; wine hands on its low byte.
uninstall_in_place() { wine "$(unix_path "$1")/Uninstall.exe" /S "_?=$1" >>"$E2E_ARTIFACTS/installer.log" 2>&1; }
same() { [ "$1" = "$2" ] || { echo "  got '$1', expected '$2'"; return 1; }; }
unix_path() { local p=${1//\\//}; echo "$WINEPREFIX/drive_c${p#[Cc]:}"; }
pending_renames() { E2E_REG_VIEW=64 reg_get 'HKLM\System\CurrentControlSet\Control\Session Manager' PendingFileRenameOperations; }
# The Active Setup component's command, run as Windows runs it at a user's log-on (Wine has no
# Active Setup); it lies in the computer's native view.
run_active_setup_stub() {
  local stub words
  stub=$(E2E_REG_VIEW=${1:-64} reg_get "$ACTIVE_SETUP" StubPath)
  [ -n "$stub" ] || return 1
  read -ra words <<<"${stub//%SystemRoot%/C:\\windows}"
  wine "${words[@]}" >/dev/null 2>&1
}

# windows_program NAME C_SOURCE: a small x86 Windows program made from C source; prints its path.
windows_program() {
  i686-w64-mingw32-gcc -municode -s -x c - -o "$E2E_ARTIFACTS/$1.exe" <<<"$2" && echo "$E2E_ARTIFACTS/$1.exe"
}

# The previous release's x86 installer, built once from its commit beside the build directories;
# fails when it cannot be built. previous_release_available says SKIPPED where it cannot be.
previous_commit=1cb60b1
sources=$(dirname "${BASH_SOURCE[0]}")/../../..
previous_release_available() {
  if [ "$arch" != x86 ]; then
    echo "SKIPPED: the upgrade of the previous release, which shipped for x86 only"; return 1
  elif ! git -C "$sources" cat-file -e "$previous_commit^{commit}" 2>/dev/null; then
    echo "SKIPPED: the upgrade of the previous release: commit $previous_commit is not in this clone"; return 1
  fi
}
# require_previous_release: sets $previous to the previous release's installer, or ends the
# scenario (SKIPPED, or failed when it cannot be built).
require_previous_release() {
  previous_release_available || finish
  previous=$(previous_release) \
    || { fail "the previous release's installer is built (see $E2E_ARTIFACTS/previous-release.log)"; finish; }
}
# The autorun value and the current user's settings, as an upgrade must keep them.
user_data() { echo "$(reg_get "$RUN" Pausarium) $(reg_get "$SETTINGS" RegimeType)/$(reg_get "$SETTINGS" ProtectionLevel)"; }
previous_release() {
  local dir; dir="$(dirname "$E2E_PACKAGE_BUILD")/previous-2.3.0"
  if [ ! -f "$dir/src/build/i686/Pausarium-2.3.0-x86.exe" ]; then
    rm -rf "$dir"; mkdir -p "$dir/src"
    { git -C "$sources" archive "$previous_commit" | tar -x -C "$dir/src" \
        && cd "$dir/src" && cmake --preset i686 && cmake --build --preset i686 -j"$(nproc)" \
        && cmake --build --preset i686 --target package; } >"$E2E_ARTIFACTS/previous-release.log" 2>&1 || return 1
  fi
  echo "$dir/src/build/i686/Pausarium-2.3.0-x86.exe"
}
