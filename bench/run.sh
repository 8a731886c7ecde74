#!/usr/bin/env bash
# Builds the benchmarks (Release, no sanitizers) and runs them: the converter natively, the rest
# under Wine against the local weather stand-in, then prints one table of each figure beside its
# floor, timed in the same run. Usage: bench/run.sh
# WETHRIX_BENCH_PORT picks the stand-in's port (default 18090), so a benchmark can run beside the
# tests' own stand-in; WETHRIX_BENCH_IDLE_SECONDS the length of the idle measurement (default
# 120); WETHRIX_BENCH_REFRESHES the back-to-back refreshes of the memory figure (default 1000).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
port=${WETHRIX_BENCH_PORT:-18090}

cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DWETHRIX_SANITIZE=OFF >/dev/null
cmake --build build/bench --target bench_converter
cmake --preset windows >/dev/null
cmake --build --preset windows --target bench_refresh bench_run_and_wait bench_program

source scripts/display.sh
prefix=$PWD/build/windows/wineprefix
state=$PWD/build/windows/bench-standin
out=$PWD/build/windows/bench-output
mkdir -p "$out"
tests/standin/start.sh "$port" "$state"
trap 'tests/standin/stop.sh "$state"' EXIT

# Wine's desktop process inherits the standard handles, so its output goes through a file.
run_wine() {
  local name=$1
  shift
  scripts/wine-run.sh "$prefix" "$@" >"$out/$name.txt" 2>&1 || true
  grep -v '^@ ' "$out/$name.txt" || true
}

echo "== machine"
echo "cores: $(nproc); CPU: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //'); load: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "Wine: $(wine --version 2>/dev/null)"
echo "== one conversion, in process (native)"
build/bench/bench/bench_converter --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
echo "== RunAndWait of the carried converter and of a console program that returns at once (Wine)"
run_wine run_and_wait build/windows/bench/bench_run_and_wait.exe
export WETHRIX_API_BASE=http://127.0.0.1:$port
export WETHRIX_REQUEST_GAP_MS=0  # refreshes back to back, as measured; the stand-in is on this machine
echo "== start-up, refresh, memory, idle: the program's pieces in process (Wine)"
run_wine refresh build/windows/bench/bench_refresh.exe
echo "== the real Wethrix.exe and a hello-world window, watched from outside (Wine)"
exe="Z:$(pwd -P)/build/windows/Wethrix.exe"
WETHRIX_EXE=${exe//\//\\} run_wine program build/windows/bench/bench_program.exe

echo "== figures beside their floors (medians; ms, KiB)"
cat "$out"/run_and_wait.txt "$out"/refresh.txt "$out"/program.txt | tr -d '\r' | awk '
  $1 == "@" { f[$2] = $3 }
  function row(name, figure, floor, goal) {
    if (figure == "" || floor == "" || floor == 0) { printf "%-52s %10s %10s %7s  %s\n", name, figure, floor, "-", goal; return }
    printf "%-52s %10.1f %10.1f %7.2f  %s\n", name, figure, floor, figure / floor, goal
  }
  END {
    printf "%-52s %10s %10s %7s  %s\n", "figure", "value", "floor", "ratio", "goal"
    row("refresh, whole / (bare reply + bare converter run)", f["refresh_whole"],
        f["reply_bare"] + f["converter_bare_in_refresh"], "<= 1.5")
    row("refresh, own work / 5 ms", f["refresh_own_work"], 5, "<= 1")
    printf "%-52s %10.1f %10s %7s  %s\n", "refresh, notification-area calls (not own work)", f["refresh_shell_calls"], "", "", "the shell"
    row("converter RunAndWait / console program RunAndWait", f["converter_run_and_wait"], f["trivial_run_and_wait"], "<= 1.2")
    row("converter bare / console program bare", f["converter_bare"], f["trivial_bare"], "")
    row("converter file check / converter RunAndWait", f["converter_check"], f["converter_run_and_wait"], "small")
    row("Wethrix.exe memory / hello-world window", f["wethrix_memory"], f["hello_memory"], "<= 1.5")
    row("memory, last / first of the back-to-back refreshes", f["memory_last_of_many"], f["memory_first_of_many"],
        sprintf("+%.0f KiB (<= +64)", f["memory_last_of_many"] - f["memory_first_of_many"]))
    row("memory growth, the refreshes / as many bare requests", f["memory_last_of_many"] - f["memory_first_of_many"],
        f["memory_growth_of_bare_requests"], "beyond it: the program")
    row("start-up to first icon / (hello paint + one refresh)", f["wethrix_startup"],
        f["hello_startup"] + f["refresh_whole"], "<= 1.5")
    row("icons loaded / icons let go", f["icons_loaded"], f["icons_released"], "the last one is held")
    row("CPU ms over a 1 s wait, quit pending: now / as it was", f["quit_wait_cpu"], f["quit_wait_cpu_former"], "")
    printf "%-52s %10.1f %10s %7s  %s\n", "idle wake-ups per minute (timer at 60 s)", f["idle_wakeups_per_minute"], "", "", "tick and its refresh"
  }'
