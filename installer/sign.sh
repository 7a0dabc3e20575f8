#!/bin/sh
# Signs a Windows executable or package in place with Authenticode (SHA-256) when the environment
# names a certificate; without one it leaves the file as it is. The build runs it on every Windows
# executable that leaves it, and makensis on the uninstaller and the installer it writes.
#
#   sign.sh <file>
#
# LUMORA_SIGN_CERT       the certificate, with the chain up to its root, as PEM
# LUMORA_SIGN_KEY        its private key, as PEM, without a passphrase
# LUMORA_SIGN_TIMESTAMP  an RFC 3161 time-stamping server's URL (optional): the signature then
#                        outlives the certificate, but the file no longer comes out the same twice
# SOURCE_DATE_EPOCH      the signing time, in seconds since 1970 (default: now), so that a release
#                        signs to the same bytes each time
set -eu
[ $# -eq 1 ] || { echo "usage: $0 <file>" >&2; exit 2; }
file=$1
[ -n "${LUMORA_SIGN_CERT:-}" ] || exit 0
: "${LUMORA_SIGN_KEY:?LUMORA_SIGN_CERT needs LUMORA_SIGN_KEY}"
set -- -certs "$LUMORA_SIGN_CERT" -key "$LUMORA_SIGN_KEY" -h sha256 -n "Lumora Ready"
[ -z "${SOURCE_DATE_EPOCH:-}" ] || set -- "$@" -time "$SOURCE_DATE_EPOCH"
[ -z "${LUMORA_SIGN_TIMESTAMP:-}" ] || set -- "$@" -ts "$LUMORA_SIGN_TIMESTAMP"
rm -f "$file.signed"
osslsigncode sign "$@" -in "$file" -out "$file.signed" >/dev/null
mv "$file.signed" "$file"
