#!/usr/bin/env bash
# Builds the installer for a built Wethrix.exe.
# Usage: make-installer.sh PROGRAM VERSION OUTFILE   (VERSION as x.y.z)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "$1")
out=$(realpath -m "$3")
mkdir -p "$(dirname "$out")"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$2" -DPROGRAM="$program" -DICON="$here/app/wethrix.ico" \
  -DOUTFILE="$out" "$here/release/wethrix.nsi" >/dev/null
