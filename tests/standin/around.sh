#!/usr/bin/env bash
# Runs COMMAND with a stand-in of its own on a free port, named to it in WETHRIX_API_BASE, and
# stops the stand-in when COMMAND ends. Test programs that run side by side, and the builds of
# other checkouts, so never share a stand-in, its request log or a port.
# With --tls the stand-in also serves as weather.test over TLS behind a proxy of its own, with
# certificates made afresh: COMMAND gets the proxy's address in WETHRIX_STANDIN_PROXY and the test
# authority's certificate, base64 DER, in WETHRIX_STANDIN_CA.
# Usage: around.sh [--tls] COMMAND [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tls=()
standin=""
certificates=""
trap 'kill $standin 2>/dev/null || true; [ -z "$certificates" ] || rm -rf "$certificates"' EXIT
if [ "${1:-}" = --tls ]; then
  shift
  certificates=$(mktemp -d)
  "$here/certificates.sh" "$certificates"
  tls=(--tls "$certificates")
fi
# Tests may run for up to five minutes; the stand-in outlives them and then stops by itself.
exec 3< <(exec python3 "$here/standin.py" --port 0 --lifetime 900 "${tls[@]}")
standin=$!
read -r first <&3 || true
base=${first#listening on }
if [ "$base" = "$first" ]; then
  echo "the stand-in did not start" >&2
  exit 1
fi
if [ ${#tls[@]} -gt 0 ]; then
  read -r _ _ _ proxy <&3
  WETHRIX_STANDIN_PROXY=$proxy WETHRIX_STANDIN_CA=$(openssl x509 -in "$certificates/ca.pem" -outform DER | base64 -w0) \
    WETHRIX_API_BASE=$base "$@"
else
  WETHRIX_API_BASE=$base "$@"
fi
