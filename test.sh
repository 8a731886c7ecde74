#!/usr/bin/env bash
# Sets everything up, builds both builds and runs every test. The Windows build comes first, with
# the Wine prefix made beside it; its tests, which mostly wait on Wine, then run while the native
# build compiles and the native tests run.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
source scripts/display.sh
prefix=$PWD/build/windows/wineprefix
mkdir -p build/windows build/native
scripts/wine-prefix.sh "$prefix" &
prefix_made=$!
cmake --preset windows >/dev/null
cmake --build --preset windows
wait "$prefix_made"
scripts/wine-start.sh "$prefix" build/windows/desktop_keeper.exe

status=0
ctest --preset windows -j2 >build/windows/ctest.log 2>&1 &
windows_tests=$!
cmake --preset native >/dev/null
if cmake --build --preset native; then
  ctest --preset native -j2 >build/native/ctest.log 2>&1 || status=1
else
  status=1
fi
wait "$windows_tests" || status=1
WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
cat build/native/ctest.log build/windows/ctest.log

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
