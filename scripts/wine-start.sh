#!/usr/bin/env bash
# Makes the prefix if needed and starts Wine's lasting helpers (its server, services and desktop
# process) for a test run, with no standard handles. Started by the first test program instead,
# they would keep that program's output pipe open until the last Wine program ends, so ctest
# would count the whole run against that one test and hold its slot meanwhile.
# Usage: wine-start.sh PREFIX; `WINEPREFIX=PREFIX wineserver -k` ends them.
set -euo pipefail
prefix=$1
here=$(cd "$(dirname "$0")" && pwd)
"$here/wine-prefix.sh" "$prefix"
WINEPREFIX=$prefix wineserver -p </dev/null >/dev/null 2>&1 || true  # already running: fine
"$here/wine-run.sh" "$prefix" cmd /c exit </dev/null >/dev/null 2>&1 || true
