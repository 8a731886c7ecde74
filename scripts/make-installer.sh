#!/usr/bin/env bash
# Builds the installer for a built Wethrix.exe. With WETHRIX_SIGN_PFX set, the uninstaller and the
# installer are signed as they are made (scripts/sign.sh).
# Usage: make-installer.sh PROGRAM VERSION OUTFILE   (VERSION as x.y.z)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "$1")
out=$(realpath -m "$3")
mkdir -p "$(dirname "$out")"
sign=()
[ -n "${WETHRIX_SIGN_PFX:-}" ] && sign=(-DSIGN="$here/scripts/sign.sh")
makensis -V2 "${sign[@]}" -INPUTCHARSET UTF8 -DVERSION="$2" -DPROGRAM="$program" -DICON="$here/app/wethrix.ico" \
  -DOUTFILE="$out" "$here/release/wethrix.nsi" >/dev/null
