#!/usr/bin/env bash
# Takes docs/running.png: the built Wethrix.exe in a Wine virtual desktop, which has a taskbar and
# a notification area, against the local weather stand-in. Needs ImageMagick's import (not a
# build dependency).
set -euo pipefail
cd "$(dirname "$0")/.."
picture=${1:-docs/running.png}
port=${WETHRIX_SHOT_PORT:-18097}
export WETHRIX_XVFB_DISPLAY=${WETHRIX_XVFB_DISPLAY:-93}
unset DISPLAY
source scripts/display.sh
export WINEPREFIX=$PWD/build/windows/shot-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
scripts/wine-prefix.sh "$WINEPREFIX"
wine reg add 'HKCU\Software\Kestrivon\Wethrix' /v APIKey /d demo-key /f >/dev/null 2>&1

python3 tests/standin/standin.py --port "$port" --lifetime 60 >/dev/null 2>&1 &
standin=$!
trap 'kill $standin 2>/dev/null || true; wineserver -k 2>/dev/null || true' EXIT
WETHRIX_API_BASE=http://127.0.0.1:$port wine explorer /desktop=Wethrix,640x400 build/windows/Wethrix.exe &
sleep "${WETHRIX_SHOT_WAIT:-12}"  # start-up, the first refresh and the balloon
mkdir -p docs
import -window root -crop 640x400+0+0 +repage "$picture"
echo "$picture"
