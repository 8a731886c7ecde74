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
# Wine draws the window frame itself (no window manager runs in the virtual display). The program
# reads the weather from a local stand-in of its own with the stand-in's key, so the main window
# shows a reading and its unit; the prefix is the pictures' own, so the tests' settings stay apart.
set -euo pipefail
cd "$(dirname "$0")/.."
program_file=${1:-build/windows/Wethrix.exe}
title=${2:-Wethrix}
picture=${3:-docs/main-window.png}
arguments=("${@:4}")
prefix=$PWD/build/windows/shot-prefix
export WETHRIX_XVFB_DISPLAY=${WETHRIX_XVFB_DISPLAY:-94}
unset DISPLAY
source scripts/display.sh
mkdir -p docs
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
scripts/wine-prefix.sh "$prefix"
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Kestrivon\Wethrix' /v APIKey /d demo-key /f >/dev/null 2>&1

# Ending the program's Wine ends the stand-in with it.
tests/standin/around.sh wine "$program_file" "${arguments[@]}" &
program=$!
geometry=
for _ in $(seq 100); do
  geometry=$(xwininfo -root -tree | awk -v window="\"$title\": (\"" 'index($0, window) { print $(NF-1); exit }')
  [ -n "$geometry" ] && break
  sleep 0.1
done
[ -n "$geometry" ] || { echo "the window \"$title\" did not appear" >&2; wineserver -k; exit 1; }
# Wine shows a balloon for at least 10 s, over the window's corner when there is no taskbar: the
# program is taken once its first refresh's balloon has gone and well before the minute's next.
settle=2
[ "$(basename "$program_file")" = Wethrix.exe ] && settle=15
sleep "${WETHRIX_SHOT_WAIT:-$settle}"
import -window root -crop "$geometry" +repage "$picture"
wineserver -k 2>/dev/null || true
wait "$program" || true
echo "$picture: $geometry"
