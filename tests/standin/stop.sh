#!/usr/bin/env bash
# Stops the stand-in that start.sh started in STATE_DIR, if it still runs.
# Usage: stop.sh STATE_DIR
set -euo pipefail
pidfile=$1/standin.pid
[ -f "$pidfile" ] || exit 0
pid=$(cat "$pidfile")
rm -f "$pidfile"
if grep -q standin.py "/proc/$pid/cmdline" 2>/dev/null; then
  kill "$pid"
fi
exit 0
