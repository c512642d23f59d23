#!/usr/bin/env bash
# Signs one Windows executable in place with a SHA-256 Authenticode signature (osslsigncode).
# Called while packing, with the certificate and its options in the environment that
# scripts/sign-release.sh sets: PAUSARIUM_SIGN_PKCS12, and optionally
# PAUSARIUM_SIGN_PASSWORD_FILE and PAUSARIUM_SIGN_TIMESTAMP (an RFC 3161 time-stamping URL).
set -euo pipefail
file=$1
args=(sign -pkcs12 "$PAUSARIUM_SIGN_PKCS12" -h sha256 -n Pausarium)
[ -n "${PAUSARIUM_SIGN_PASSWORD_FILE:-}" ] && args+=(-readpass "$PAUSARIUM_SIGN_PASSWORD_FILE")
[ -n "${PAUSARIUM_SIGN_TIMESTAMP:-}" ] && args+=(-ts "$PAUSARIUM_SIGN_TIMESTAMP")
rm -f "$file.signed"
osslsigncode "${args[@]}" -in "$file" -out "$file.signed" >/dev/null
mv -f "$file.signed" "$file"
echo "signed: $file"
