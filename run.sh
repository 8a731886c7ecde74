#!/usr/bin/env bash
# Sets everything up and starts Wethrix under Wine.
#   ./run.sh          the real service (enter your OpenWeatherMap key in the program)
#   ./run.sh --demo   against the local weather stand-in, so a temperature shows at once
set -euo pipefail
cd "$(dirname "$0")"
demo=false
[ "${1:-}" = "--demo" ] && demo=true

scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Wethrix

had_display=false
[ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1 && had_display=true
source scripts/display.sh
# The demo keeps its own prefix, so its stand-in key never reaches the real service.
prefix=run-prefix
$demo && prefix=demo-prefix
export WINEPREFIX=$PWD/build/windows/$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
scripts/wine-prefix.sh "$WINEPREFIX"

if $demo; then
  port=${WETHRIX_DEMO_PORT:-18090}
  python3 tests/standin/standin.py --port "$port" --key demo-key --lifetime 86400 >/dev/null 2>&1 &
  standin=$!
  trap 'kill $standin 2>/dev/null || true' EXIT
  export WETHRIX_API_BASE=http://127.0.0.1:$port
  wine reg add 'HKCU\Software\Kestrivon\Wethrix' /v APIKey /d demo-key /f >/dev/null 2>&1
  echo "Demo: the local weather stand-in answers on $WETHRIX_API_BASE"
fi
if $had_display; then
  echo "Wethrix is starting (close its window to quit)."
  wine build/windows/Wethrix.exe
else
  # No screen of our own: a Wine desktop with a taskbar, so the tray icon can be seen.
  echo "Wethrix is starting on the virtual display $DISPLAY (close its window to quit)."
  echo "To see it: import -display $DISPLAY -window root wethrix.png"
  wine explorer /desktop=Wethrix,800x600 build/windows/Wethrix.exe
fi
