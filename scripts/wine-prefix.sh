#!/usr/bin/env bash
# Creates the Wine prefix once (about ten seconds); later calls return at once.
set -euo pipefail
prefix=$1
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=" WINEARCH=win64
[ -f "$prefix/.wethrix-ready" ] && exit 0
mkdir -p "$prefix"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.wethrix-ready" ] && exit 0
if [ -z "${DISPLAY:-}" ]; then
  xvfb-run -a wineboot -i >/dev/null 2>&1 || true
else
  wineboot -i >/dev/null 2>&1 || true
fi
wineserver -w || true
# Wine draws the title-bar buttons with Marlett; Debian ships it apart from the prefix.
fonts=$prefix/drive_c/windows/Fonts
[ -f /usr/share/wine/fonts/marlett.ttf ] && [ -d "$fonts" ] && { cp -n /usr/share/wine/fonts/marlett.ttf "$fonts/" || true; }
touch "$prefix/.wethrix-ready"
