#!/usr/bin/env bash
# Installs what is missing, builds the Windows program and starts it under Wine.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows
source scripts/display.sh
exec scripts/wine-run.sh "$PWD/build/windows/wineprefix" build/windows/Wethrix.exe
