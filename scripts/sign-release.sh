#!/usr/bin/env bash
# Makes the signed release: packs the installer and the zip of a built release build again,
# signing with a code-signing certificate on the way (SHA-256 Authenticode, osslsigncode): both
# programs before they are packed, then the uninstaller, then the installer.
#
#   scripts/sign-release.sh --pkcs12 FILE [--password-file F] [--timestamp URL]
#                           [--build DIR] [--output DIR]
#
# FILE is the certificate with its private key and chain (PKCS#12, .pfx/.p12); F holds its
# password on the first line; URL is an RFC 3161 time-stamping service. DIR defaults to
# build/i686 (configured and built with `cmake --preset i686`), the output to DIR/signed.
# The unsigned packages in DIR stay as they are.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/i686 output= pkcs12= password= timestamp=
usage() { sed -n '6,7p' "$0" | sed 's/^#  *//' >&2; exit 2; }
while [ $# -gt 0 ]; do
  case $1 in
    --pkcs12) pkcs12=${2:?}; shift 2 ;;
    --password-file) password=${2:?}; shift 2 ;;
    --timestamp) timestamp=${2:?}; shift 2 ;;
    --build) build=${2:?}; shift 2 ;;
    --output) output=${2:?}; shift 2 ;;
    *) usage ;;
  esac
done
[ -n "$pkcs12" ] || usage
command -v osslsigncode >/dev/null || { echo "osslsigncode is missing (apt-get install osslsigncode)" >&2; exit 1; }
absolute() { (cd "$(dirname "$1")" && echo "$(pwd)/$(basename "$1")"); }
[ -f "$pkcs12" ] || { echo "no such certificate: $pkcs12" >&2; exit 1; }
[ -z "$password" ] || [ -f "$password" ] || { echo "no such password file: $password" >&2; exit 1; }
[ -f "$build/CPackConfig.cmake" ] || { echo "$build is not a configured build (cmake --preset i686)" >&2; exit 1; }
build=$(cd "$build" && pwd)
output=${output:-$build/signed}
mkdir -p "$output"

cmake --build "$build"
PAUSARIUM_SIGN_PKCS12=$(absolute "$pkcs12") \
PAUSARIUM_SIGN_PASSWORD_FILE=${password:+$(absolute "$password")} \
PAUSARIUM_SIGN_TIMESTAMP=$timestamp \
  cpack --config "$build/CPackConfig.cmake" -B "$(cd "$output" && pwd)"
ls -1 "$output"/Pausarium-*.exe "$output"/Pausarium-*.zip
