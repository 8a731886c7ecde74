#!/usr/bin/env bash
# Builds the benchmarks (Release, no sanitizers) and runs them: the converter natively, the rest
# under Wine against the local weather stand-in. Usage: bench/run.sh
# WETHRIX_STANDIN_PORT picks the stand-in's port (default 18090); WETHRIX_BENCH_IDLE_SECONDS the
# length of the idle measurement (default 120).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
port=${WETHRIX_STANDIN_PORT:-18090}

cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DWETHRIX_SANITIZE=OFF >/dev/null
cmake --build build/bench --target bench_converter
cmake --preset windows >/dev/null
cmake --build --preset windows --target bench_refresh bench_run_and_wait bench_program

source scripts/display.sh
prefix=$PWD/build/windows/wineprefix
state=$PWD/build/windows/bench-standin
tests/standin/start.sh "$port" "$state"
trap 'tests/standin/stop.sh "$state"' EXIT

echo "== machine"
echo "cores: $(nproc); CPU: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')"
echo "Wine: $(wine --version 2>/dev/null)"
echo "== one conversion, in process (native)"
build/bench/bench/bench_converter --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
echo "== RunAndWait of the carried converter (Wine)"
scripts/wine-run.sh "$prefix" build/windows/bench/bench_run_and_wait.exe
export WETHRIX_API_BASE=http://127.0.0.1:$port
echo "== start-up, refresh, memory, idle: the program's pieces in process (Wine)"
scripts/wine-run.sh "$prefix" build/windows/bench/bench_refresh.exe
echo "== the real Wethrix.exe watched from outside (Wine)"
exe="Z:$(pwd -P)/build/windows/Wethrix.exe"
WETHRIX_EXE=${exe//\//\\} scripts/wine-run.sh "$prefix" build/windows/bench/bench_program.exe
