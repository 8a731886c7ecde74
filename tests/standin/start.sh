#!/usr/bin/env bash
# Starts the stand-in in the background for a test run and returns once it listens.
# Usage: start.sh PORT STATE_DIR [KEY]. A stand-in left over in STATE_DIR is stopped first.
set -euo pipefail
port=$1
state=$2
key=${3:-demo-key}
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$state"
"$here/stop.sh" "$state"
python3 "$here/standin.py" --port "$port" --key "$key" --lifetime 600 >"$state/standin.out" 2>&1 &
echo $! >"$state/standin.pid"
for _ in $(seq 100); do
  grep -q '^listening on' "$state/standin.out" 2>/dev/null && exit 0
  kill -0 "$(cat "$state/standin.pid")" 2>/dev/null || break
  sleep 0.1
done
echo "the stand-in did not start on port $port:" >&2
cat "$state/standin.out" >&2
exit 1
