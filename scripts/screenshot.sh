#!/usr/bin/env bash
# Takes docs/main-window.png: starts the built Wethrix.exe under Wine in a virtual display and
# photographs its main window. Needs ImageMagick's import (not a build dependency).
# Usage: screenshot.sh [PROGRAM WINDOW-TITLE PICTURE [ARGUMENT...]], e.g. for the key dialog:
#   scripts/screenshot.sh build/windows/tests/options/key_dialog_preview.exe "Key Options" docs/key-dialog.png
# and for both windows under a high-contrast theme:
#   scripts/screenshot.sh build/windows/tests/window/high_contrast_preview.exe Wethrix \
#     docs/main-window-high-contrast.png main
#   scripts/screenshot.sh build/windows/tests/window/high_contrast_preview.exe "Key Options" \
#     docs/key-dialog-high-contrast.png key
# Wine draws the window frame itself (no window manager runs in the virtual display).
set -euo pipefail
cd "$(dirname "$0")/.."
program_file=${1:-build/windows/Wethrix.exe}
title=${2:-Wethrix}
picture=${3:-docs/main-window.png}
arguments=("${@:4}")
prefix=$PWD/build/windows/wineprefix
export WETHRIX_XVFB_DISPLAY=${WETHRIX_XVFB_DISPLAY:-94}
unset DISPLAY
source scripts/display.sh
mkdir -p docs
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
scripts/wine-prefix.sh "$prefix"
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1

wine "$program_file" "${arguments[@]}" &
program=$!
geometry=
for _ in $(seq 100); do
  geometry=$(xwininfo -root -tree | awk -v window="\"$title\": (\"" 'index($0, window) { print $(NF-1); exit }')
  [ -n "$geometry" ] && break
  sleep 0.1
done
[ -n "$geometry" ] || { echo "the window \"$title\" did not appear" >&2; kill "$program"; exit 1; }
sleep 1  # let the first paint finish
import -window root -crop "$geometry" +repage "$picture"
kill "$program"
wineserver -k 2>/dev/null || true
echo "$picture: $geometry"
