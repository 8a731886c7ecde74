#!/usr/bin/env bash
# Sets everything up, builds both builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native
cmake --preset windows >/dev/null
cmake --build --preset windows
source scripts/display.sh
scripts/wine-prefix.sh "$PWD/build/windows/wineprefix"

status=0
ctest --preset native -j2 2>&1 | tee build/native/ctest.log || status=1
ctest --preset windows -j2 2>&1 | tee build/windows/ctest.log || status=1
WINEPREFIX="$PWD/build/windows/wineprefix" wineserver -k 2>/dev/null || true

count() { grep -Eo "tests passed, [0-9]+ tests failed out of [0-9]+" "$1" | tail -1; }
summary() {
  local line total failed
  line=$(count "$1")
  total=${line##* }
  failed=$(echo "$line" | grep -Eo '[0-9]+ tests failed' | grep -Eo '[0-9]+')
  echo "${total:-0} ${failed:-0}"
}
read -r nt nf < <(summary build/native/ctest.log)
read -r wt wf < <(summary build/windows/ctest.log)
echo "native: $((nt - nf)) passed, $nf failed; windows: $((wt - wf)) passed, $wf failed"
echo "$((nt + wt - nf - wf)) passed, $((nf + wf)) failed"
exit $status
