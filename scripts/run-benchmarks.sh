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
#   VX_BENCH_SKIP_WINE     1: no Windows build and no Wine figures (for a
#                          machine that cannot run 32-bit programs)
#   VX_JOBS                build jobs (default 2)
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
source scripts/setup.sh
source scripts/wine-env.sh

JOBS=${VX_JOBS:-2}
REPS=${VX_BENCH_REPETITIONS:-10}
SKIP_WINE=${VX_BENCH_SKIP_WINE:-0}
TOOL_ENTRIES=5000
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

# `vexaro apply` as a user runs it on a whole driver set: every check box of
# 5,000 Layout values set on (nearly every INI integer changes), on a fresh
# copy of the data for each repetition; the least wall time in ms.
tool_apply() {
    local data=$RESULTS/tool-data work=$BUILD/tool-work best="" i start stop us
    mkdir -p "$data"
    "$HOST_DIR/benchmarks/bench_page_host" --vx_write_tool_data="$data"
    local -a assignments=()
    while IFS= read -r name; do assignments+=("$name=on"); done <"$data/names.txt"
    for i in $(seq 1 "$REPS"); do
        rm -rf "$work"
        cp -r "$data" "$work"
        start=$(date +%s%N)
        (cd "$work" && "$HOST_DIR/tools/vexaro/vexaro" apply --registry driver.reg --windir . \
            "${assignments[@]}" >/dev/null)
        stop=$(date +%s%N)
        us=$(((stop - start) / 1000))
        if [ -z "$best" ] || [ "$us" -lt "$best" ]; then best=$us; fi
    done
    rm -rf "$work"
    printf 'RESULT\ttool-apply\t%d\t%d.%03d\n' "$TOOL_ENTRIES" $((best / 1000)) $((best % 1000))
}

vx_setup
build "$HOST_DIR" bench_page_host
build "$HOST_DIR" vexaro
if [ "$SKIP_WINE" != 1 ]; then
    build "$WIN32_DIR" bench_page_win32 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake"
fi
mkdir -p "$RESULTS"
rm -rf "${RESULTS:?}"/*

conditions "start" | tee "$RESULTS/conditions.txt"

vx_log "Host benchmarks ($REPS repetitions)"
"$HOST_DIR/benchmarks/bench_page_host" --benchmark_filter="$FILTER" \
    --benchmark_repetitions="$REPS" --benchmark_report_aggregates_only=true \
    --benchmark_out="$RESULTS/host.json" --benchmark_out_format=json >&2
"$HOST_DIR/benchmarks/bench_page_host" --vx_write_ini_calls="$RESULTS"

vx_log "vexaro apply on $TOOL_ENTRIES Layout values ($REPS repetitions)"
tool_apply >"$RESULTS/tool.tsv"

: >"$RESULTS/wine.tsv"
if [ "$SKIP_WINE" != 1 ]; then
    vx_log "Windows benchmarks under Wine ($REPS repetitions)"
    vx_wine_start "$WIN32_DIR"
    (
        cd "$WIN32_DIR/bin"
        wine ./bench_page_win32.exe --repetitions="$REPS" \
            --ini-calls="$(winepath -w "$RESULTS" 2>/dev/null | tr -d '\r')" >"$RESULTS/wine.tsv"
    )
    vx_wine_stop
fi

conditions "end" | tee -a "$RESULTS/conditions.txt"
python3 "$ROOT/benchmarks/tools/table.py" "$RESULTS/host.json" "$RESULTS/wine.tsv" \
    "$RESULTS/tool.tsv" | tee "$RESULTS/table.txt"
