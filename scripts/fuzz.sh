#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz and runs each for SECONDS (default 60), from its
# seeds in tests/fuzz/corpus/<target> and what earlier runs added in build/fuzz/corpus/<target>.
# Prints one line per target: its executions, the code edges covered and its findings. A finding
# (a crash, a property that does not hold, a leak, an input that takes over 10 s or 2 GiB) ends
# that target's run; its input is kept in build/fuzz/findings/<target>/ and the script fails.
# Usage: fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
scripts/setup.sh clang
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzz_targets >build/fuzz-build.log 2>&1 || { cat build/fuzz-build.log; exit 1; }

# One target's run; its line, and what it found, in build/fuzz/<target>.summary.
run_target() {
  local target=$1 corpus=build/fuzz/corpus/$1 findings=build/fuzz/findings/$1 log=build/fuzz/$1.log
  local summary=build/fuzz/$1.summary stamp executions coverage found
  mkdir -p "$corpus" "$findings"
  stamp=$(mktemp)
  build/fuzz/tests/fuzz/"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "tests/fuzz/corpus/$target" >"$log" 2>&1 || true
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  coverage=$(grep -Eo 'cov: [0-9]+' "$log" | tail -1 | grep -Eo '[0-9]+' || true)
  found=$(find "$findings" -newer "$stamp" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' \
    -o -name 'oom-*' \) | wc -l)
  rm -f "$stamp"
  printf '%-16s %12s %9s %9s\n' "$target" "${executions:-?}" "${coverage:-?}" "$found" >"$summary"
  if [ "$found" -ne 0 ] || [ -z "$executions" ]; then
    grep -E '^(==[0-9]+==ERROR|SUMMARY|property does not hold|artifact_prefix|Test unit written)' "$log" | head -5 |
      sed 's/^/    /' >>"$summary"
  fi
}

# A libFuzzer run keeps one core busy, so as many run at once as there are cores.
targets=()
for source in tests/fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do wait -n || true; done
  run_target "$target" &
done
wait

total=0
printf '%-16s %12s %9s %9s\n' target executions coverage findings
for target in "${targets[@]}"; do
  cat "build/fuzz/$target.summary"
  [ "$(wc -l <"build/fuzz/$target.summary")" -eq 1 ] && [ "$(awk '{ print $2 }' "build/fuzz/$target.summary")" != "?" ] ||
    total=$((total + 1))
done
[ "$total" -eq 0 ] || { echo "fuzz: $total target(s) with findings; the logs are build/fuzz/<target>.log" >&2; exit 1; }
