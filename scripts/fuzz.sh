#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz and runs each in turn for SECONDS (default 60), from its
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

total=0
printf '%-16s %12s %9s %9s\n' target executions coverage findings
for source in tests/fuzz/*_fuzz.cpp; do
  target=$(basename "$source" .cpp)
  corpus=build/fuzz/corpus/$target
  findings=build/fuzz/findings/$target
  log=build/fuzz/$target.log
  mkdir -p "$corpus" "$findings"
  stamp=$(mktemp)
  build/fuzz/tests/fuzz/"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "tests/fuzz/corpus/$target" >"$log" 2>&1 || true
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  coverage=$(grep -Eo 'cov: [0-9]+' "$log" | tail -1 | grep -Eo '[0-9]+' || true)
  found=$(find "$findings" -newer "$stamp" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' \
    -o -name 'oom-*' \) | wc -l)
  rm -f "$stamp"
  printf '%-16s %12s %9s %9s\n' "$target" "${executions:-?}" "${coverage:-?}" "$found"
  if [ "$found" -ne 0 ] || [ -z "$executions" ]; then
    total=$((total + 1))
    grep -E '^(==[0-9]+==ERROR|SUMMARY|property does not hold|artifact_prefix|Test unit written)' "$log" | head -5 | sed 's/^/    /'
  fi
done
[ "$total" -eq 0 ] || { echo "fuzz: $total target(s) with findings; the logs are build/fuzz/<target>.log" >&2; exit 1; }
