#!/usr/bin/env bash
# Makes the prefix if needed and starts Wine's lasting helpers (its server, services and desktop
# process) for a test run, with no standard handles. Started by a test program instead, they would
# keep that program's output pipe open until they end, so ctest would count the rest of the run
# against that one test and hold its slot meanwhile. Wine ends its desktop process once no program
# is on the desktop, so the keeper (tests/support/desktop_keeper.cpp) stays on it for the whole run.
# Xvfb has no window manager, and Wine waits up to 2 s for one to confirm every hide of a window it
# thinks is managed, so closing Wethrix or removing its tray icon took 4 s here against some
# milliseconds on Windows. The test prefix leaves the windows of Wethrix and of the notification
# area to Wine itself; the test programs' own windows stay as they were.
# Usage: wine-start.sh PREFIX KEEPER.exe; `WINEPREFIX=PREFIX wineserver -k` ends them all.
set -euo pipefail
prefix=$1
keeper=$2
here=$(cd "$(dirname "$0")" && pwd)
"$here/wine-prefix.sh" "$prefix"
WINEPREFIX=$prefix wineserver -p </dev/null >/dev/null 2>&1 || true  # already running: fine

if [ ! -f "$prefix/.wethrix-settings" ]; then
  for program in Wethrix.exe explorer.exe; do
    "$here/wine-run.sh" "$prefix" reg add "HKCU\\Software\\Wine\\AppDefaults\\$program\\X11 Driver" \
      /v Managed /d N /f </dev/null >/dev/null 2>&1
  done
  # A program that crashes ends at once, not in Wine's crash dialog, which no one answers and which
  # holds its test until the test's time runs out.
  "$here/wine-run.sh" "$prefix" reg add "HKCU\\Software\\Wine\\WineDbg" /v ShowCrashDialog /t REG_DWORD \
    /d 0 /f </dev/null >/dev/null 2>&1
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true  # what started before the change goes
  WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
  WINEPREFIX=$prefix wineserver -p </dev/null >/dev/null 2>&1 || true
  touch "$prefix/.wethrix-settings"
fi

pid_file=$prefix/.desktop-keeper.pid
ready=$prefix/drive_c/.desktop-kept
if [ -f "$pid_file" ] && grep -qs desktop_keeper "/proc/$(cat "$pid_file")/cmdline"; then exit 0; fi
rm -f "$ready"
setsid "$here/wine-run.sh" "$prefix" "$keeper" 'C:\.desktop-kept' </dev/null >/dev/null 2>&1 &
echo $! >"$pid_file"
for _ in $(seq 300); do [ -f "$ready" ] && exit 0; sleep 0.1; done
echo "wine-start.sh: the Wine desktop did not start" >&2
exit 1
