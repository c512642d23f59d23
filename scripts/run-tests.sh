#!/usr/bin/env bash
# Builds all configurations and runs every test: the native unit tests; the 32-bit shipping build
# (import checks, the x86 installer and zip) and the 64-bit one's installer; then, on a virtual
# display, the 32-bit test build's Win32 tests and every end-to-end scenario under 32-bit Wine
# (the x64 installer among them, over the x86 one and back), and the 64-bit build's Win32 tests
# and its short scenario selection. Where the kernel cannot run 32-bit code, install-deps sets up
# its user-mode emulation (QEMU through binfmt_misc) and the 32-bit suite runs through it; the
# summary says whether it ran natively or emulated, with QEMU's version. Where even that fails,
# the 64-bit build runs every scenario in place of the 32-bit suite, and the summary says why.
# PAUSARIUM_KERNEL_32BIT=no takes the emulated path on any machine (scripts/kernel-runs-32bit.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
deps_log=$(mktemp)
scripts/install-deps.sh 2>&1 | tee "$deps_log"

jobs=$(nproc)
status=0
summary=()
run_ctest() {  # run_ctest PRESET: runs it, keeps going on failure, remembers the outcome and time
  local log start=$SECONDS
  log=$(mktemp)
  if ctest --preset "$1" 2>&1 | tee "$log"; then :; fi
  local line
  line=$(grep -E '^[0-9]+% tests passed' "$log" | tail -n 1 || true)
  [ -n "$line" ] || line="no result (ctest failed to run)"
  summary+=("$1: $line ($((SECONDS - start)) s)")
  grep -qE '^100% tests passed' "$log" || status=1
  rm -f "$log"
}

runs_32bit=1
scripts/kernel-runs-32bit.sh || runs_32bit=0
if [ $runs_32bit -eq 1 ]; then
  how=$(scripts/how-32bit-runs.sh)
else  # the failed step of the emulation set-up, when it was tried
  why=$(grep -m 1 '^32-bit emulation not set up' "$deps_log" || echo "this kernel cannot run 32-bit code")
fi
rm -f "$deps_log"

echo "== native: platform-free code"
cmake --preset native >/dev/null
cmake --build --preset native -j"$jobs"
run_ctest native

echo "== i686: the shipping 32-bit build"
cmake --preset i686 >/dev/null
cmake --build --preset i686 -j"$jobs"
for program in reminder setup; do  # each .exe: KnownDLL imports only, its PE header, a rebuild
  ctest --test-dir "build/i686/$program" --output-on-failure || status=1
done
if cmake --build --preset i686 --target package; then  # the released x86 installer and zip
  summary+=("i686 package: built")
else
  summary+=("i686 package: FAILED"); status=1
fi
# The Group Policy templates' zip: the PolicyDefinitions layout, its three files as in the source.
admx_zip_holds_the_templates() {
  local zip entry
  zip=$(ls build/i686/Pausarium-*-admx.zip 2>/dev/null) || return 1
  [ "$(unzip -Z1 "$zip" | sort | xargs)" = "Pausarium.admx en-US/Pausarium.adml ru-RU/Pausarium.adml" ] || return 1
  for entry in Pausarium.admx en-US/Pausarium.adml ru-RU/Pausarium.adml; do
    unzip -p "$zip" "$entry" | cmp -s - "packaging/policies/$entry" || return 1
  done
}
if admx_zip_holds_the_templates; then
  summary+=("admx zip: its three templates")
else
  summary+=("admx zip: FAILED"); status=1
fi
for file in build/i686/reminder/Pausarium.exe build/i686/setup/PausariumSetup.exe build/i686/Pausarium-*-x86.*; do
  [ -f "$file" ] && echo "size: $(basename "$file") (i686) $(stat -c %s "$file") bytes"
done

echo "== x86_64: the x64 installer, which the i686 suite installs over the x86 one and back"
cmake --preset x86_64 >/dev/null
if cmake --build --preset x86_64 -j"$jobs" --target package; then
  summary+=("x86_64 package: built")
else
  summary+=("x86_64 package: FAILED"); status=1
fi

echo "== the test builds for Wine: 3-second minutes"
if [ $runs_32bit -eq 1 ]; then
  cmake --preset i686-e2e >/dev/null
  cmake --build --preset i686-e2e -j"$jobs"
fi
cmake --preset x86_64-e2e >/dev/null
cmake --build --preset x86_64-e2e -j"$jobs"

# A private virtual display for the Wine scenarios.
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done

if [ $runs_32bit -eq 1 ]; then
  echo "== i686 under 32-bit Wine, 32-bit code $how: the Win32 tests and every scenario"
  DISPLAY=":$display" run_ctest i686-e2e
  summary+=("i686-e2e: 32-bit code ran $how")
  echo "== x86_64 under Wine: the Win32 tests and the short scenarios"
  DISPLAY=":$display" run_ctest x86_64-e2e
else
  echo "== 32-bit code does not run here ($why): the i686 suite is NOT run; the x86_64 build runs every scenario in its place"
  summary+=("i686-e2e: NOT RUN ($why; x86_64-e2e-all runs in its place)")
  DISPLAY=":$display" run_ctest x86_64-e2e-all
fi

echo
echo "== summary"
printf '%s\n' "${summary[@]}"
exit $status
