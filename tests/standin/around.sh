#!/usr/bin/env bash
# Runs COMMAND with a stand-in of its own on a free port, named to it in WETHRIX_API_BASE, and
# stops the stand-in when COMMAND ends. Test programs that run side by side, and the builds of
# other checkouts, so never share a stand-in, its request log or a port.
# Usage: around.sh COMMAND [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# Tests may run for up to five minutes; the stand-in outlives them and then stops by itself.
exec 3< <(exec python3 "$here/standin.py" --port 0 --lifetime 900)
standin=$!
trap 'kill "$standin" 2>/dev/null || true' EXIT
read -r first <&3 || true
base=${first#listening on }
if [ "$base" = "$first" ]; then
  echo "the stand-in did not start" >&2
  exit 1
fi
WETHRIX_API_BASE=$base "$@"
