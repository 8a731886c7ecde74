#!/usr/bin/env bash
# Signs a Windows program in place: Authenticode with SHA-256 (Debian's osslsigncode), with the
# certificate and key of the PKCS#12 file $WETHRIX_SIGN_PFX, whose password is
# $WETHRIX_SIGN_PASSWORD, and a time stamp from the RFC 3161 server $WETHRIX_SIGN_TIMESTAMP_URL
# when that is set. The signing time is $SOURCE_DATE_EPOCH, the commit's, so without a time-stamp
# server the same key signs the same commit to the same bytes.
# Usage: sign.sh FILE
set -euo pipefail
file=$1
signed=$file.signed
timestamp=()
[ -n "${WETHRIX_SIGN_TIMESTAMP_URL:-}" ] && timestamp=(-ts "$WETHRIX_SIGN_TIMESTAMP_URL")
# The password goes through a pipe, never on a command line; osslsigncode cannot read an empty one.
password=(-pass "")
[ -n "${WETHRIX_SIGN_PASSWORD:-}" ] && password=(-readpass /dev/stdin)
rm -f "$signed"
printf '%s' "${WETHRIX_SIGN_PASSWORD:-}" |
  osslsigncode sign -pkcs12 "$WETHRIX_SIGN_PFX" "${password[@]}" -h sha256 -n Wethrix \
    -time "${SOURCE_DATE_EPOCH:-$(date +%s)}" "${timestamp[@]}" -in "$file" -out "$signed" >/dev/null
mv -f "$signed" "$file"
