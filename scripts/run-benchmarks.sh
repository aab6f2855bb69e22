#!/bin/bash
# Builds the benchmarks (a host Release build and the Windows cross-build),
# runs them (the Windows one under Wine, on an Xvfb display and a Wine
# prefix of its own, as run-tests.sh does) and prints one table:
# case, N, time, floor, ratio, goal, status.
#
# Times are the least of the repetitions, in milliseconds. Environment:
#   VX_BENCH_BUILD_DIR     where the builds go (default build/bench)
#   VX_BENCH_REPETITIONS   repetitions of every case (default 10)
#   VX_BENCH_FILTER        Google Benchmark filter for the host cases
#   VX_JOBS                build jobs (default 2)
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
source scripts/setup.sh
source scripts/wine-env.sh

JOBS=${VX_JOBS:-2}
REPS=${VX_BENCH_REPETITIONS:-10}
FILTER=${VX_BENCH_FILTER:-.}
BUILD=$(realpath -m "${VX_BENCH_BUILD_DIR:-$ROOT/build/bench}")
HOST_DIR=$BUILD/host-release
WIN32_DIR=$BUILD/win32
RESULTS=$BUILD/results
trap vx_wine_stop EXIT

build() {
    local dir=$1 target=$2
    shift 2
    vx_log "Configuring $dir"
    mkdir -p "$dir"
    cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >"$dir.configure.log" 2>&1 ||
        {
            cat "$dir.configure.log"
            return 1
        }
    vx_log "Building $target"
    cmake --build "$dir" -j "$JOBS" --target "$target"
}

conditions() {
    echo "$1: $(date -u '+%Y-%m-%d %H:%M:%S UTC'), $(nproc) cores, load average$(uptime | sed 's/.*load average//')"
}

vx_setup
build "$HOST_DIR" bench_page_host
build "$WIN32_DIR" bench_page_win32 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake"
mkdir -p "$RESULTS"
rm -f "$RESULTS"/*

conditions "start" | tee "$RESULTS/conditions.txt"

vx_log "Host benchmarks ($REPS repetitions)"
"$HOST_DIR/benchmarks/bench_page_host" --benchmark_filter="$FILTER" \
    --benchmark_repetitions="$REPS" --benchmark_report_aggregates_only=true \
    --benchmark_out="$RESULTS/host.json" --benchmark_out_format=json >&2
"$HOST_DIR/benchmarks/bench_page_host" --vx_write_ini_calls="$RESULTS"

vx_log "Windows benchmarks under Wine ($REPS repetitions)"
vx_wine_start "$WIN32_DIR"
(
    cd "$WIN32_DIR/bin"
    wine ./bench_page_win32.exe --repetitions="$REPS" \
        --ini-calls="$(winepath -w "$RESULTS" 2>/dev/null | tr -d '\r')" >"$RESULTS/wine.tsv"
)
vx_wine_stop

conditions "end" | tee -a "$RESULTS/conditions.txt"
python3 "$ROOT/benchmarks/tools/table.py" "$RESULTS/host.json" "$RESULTS/wine.tsv" |
    tee "$RESULTS/table.txt"
