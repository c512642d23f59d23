#!/usr/bin/env bash
# The signed release: scripts/sign-release.sh over the package build with a throwaway
# self-signed certificate, every signature checked against that certificate, and the signed
# installer installed and uninstalled silently. No time stamp, so no network.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"
root=$(cd "$(dirname "$0")/../../.." && pwd)
if [ "$E2E_REG_VIEW" = 32 ]; then arch=x86 program_files='Program Files (x86)'; else arch=x64 program_files='Program Files'; fi
DIR="$WINEPREFIX/drive_c/$program_files/Pausarium"
work="$E2E_ARTIFACTS/signing"
rm -rf "$work"; mkdir -p "$work"

cmake --build "$E2E_PACKAGE_BUILD" --target package >"$work/package.log" 2>&1 \
  || { echo "FAIL: cmake --build $E2E_PACKAGE_BUILD --target package (see $work/package.log)"; exit 1; }
unsigned=$(ls "$E2E_PACKAGE_BUILD"/Pausarium-*-$arch.exe | head -n 1)
unsigned_sum=$(sha256sum <"$unsigned")

echo throwaway >"$work/password"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Pausarium test signer" \
  -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/cert.p12" \
  -passout "file:$work/password"
sign() { "$root/scripts/sign-release.sh" --pkcs12 "$work/cert.p12" --password-file "$work/password" \
  --build "$E2E_PACKAGE_BUILD" --output "$work/out" >"$work/sign.log" 2>&1; }
check "sign-release.sh signs the package" sign
check "the unsigned installer stays as it was" test "$(sha256sum <"$unsigned")" = "$unsigned_sum"

signed_by_test_certificate() {
  osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >"$work/verify.log" 2>&1 \
    && grep -q 'Message digest algorithm *: SHA256' "$work/verify.log"
}
installer="$work/out/$(basename "$unsigned")"
check "the installer is signed (SHA-256)" signed_by_test_certificate "$installer"
mkdir -p "$work/zip" && (cd "$work/zip" && cmake -E tar xf "${installer%.exe}.zip")
for program in Pausarium.exe PausariumSetup.exe; do
  check "the zip's $program is signed" signed_by_test_certificate "$work/zip/$program"
done

wine "$installer" /S >"$work/install.log" 2>&1
check "the signed installer installs silently" test -f "$DIR/Pausarium.exe"
for program in Pausarium.exe PausariumSetup.exe Uninstall.exe; do
  check "the installed $program is signed" signed_by_test_certificate "$DIR/$program"
done
wine "$DIR/Uninstall.exe" /S >>"$work/install.log" 2>&1
check "and its uninstaller removes it" wait_for 60 test ! -e "$DIR/Pausarium.exe"
sleep 1
finish
