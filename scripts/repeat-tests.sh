#!/usr/bin/env bash
# Builds the Windows tests once, runs them N times in a row against that build, and prints how
# many runs passed and which tests failed. Exits 0 only when every run passed.
# With --load, every core also runs a busy process for the whole of each run, as ./test.sh's
# native build keeps them busy while the Windows tests run in CI.
# Usage: scripts/repeat-tests.sh [--load] N [CTEST-ARGS...], e.g. scripts/repeat-tests.sh --load 10
set -euo pipefail
cd "$(dirname "$0")/.."
load=false
if [ "${1:-}" = --load ]; then
  load=true
  shift
fi
runs=${1:?usage: scripts/repeat-tests.sh [--load] N [CTEST-ARGS...]}
shift
scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows
source scripts/display.sh
prefix=$PWD/build/windows/wineprefix
scripts/wine-start.sh "$prefix" build/windows/desktop_keeper.exe

burners=()
stop_burners() {
  [ ${#burners[@]} -eq 0 ] || kill "${burners[@]}" 2>/dev/null || true
  burners=()
}
trap 'stop_burners; WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true' EXIT

passed=0
declare -A failures=()
for run in $(seq "$runs"); do
  log=build/windows/repeat-$run.log
  if $load; then
    for _ in $(seq "$(nproc)"); do
      yes >/dev/null &
      burners+=($!)
    done
  fi
  start=$SECONDS
  status=0
  ctest --preset windows -j2 "$@" >"$log" 2>&1 || status=$?
  stop_burners
  if [ "$status" -eq 0 ]; then
    passed=$((passed + 1))
    echo "run $run: passed ($((SECONDS - start)) s)"
    continue
  fi
  # The programs ctest names as failed, and the test cases GoogleTest names inside them.
  failed=$( (sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) (.*)$/\1/p' "$log"
             sed -n 's/^\[  FAILED  \] \([[:alnum:]_/]*\.[[:alnum:]_/]*\).*$/\1/p' "$log") | sort -u)
  echo "run $run: FAILED ($((SECONDS - start)) s):" $failed
  for name in $failed; do failures[$name]=$((${failures[$name]:-0} + 1)); done
done

echo "$passed of $runs runs passed$($load && echo ', every core busy')"
for name in "${!failures[@]}"; do echo "  $name failed in ${failures[$name]} of $runs runs"; done
[ "$passed" -eq "$runs" ]
