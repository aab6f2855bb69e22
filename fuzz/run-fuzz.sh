#!/bin/bash
# Builds the fuzz targets with clang and runs each one for a while over its
# committed seed corpus (fuzz/corpus/<target>) and a working corpus of the
# build's own, which grows from run to run. Exits non-zero when a target
# cannot be built or finds a fault; the input that shows the fault is left
# in <build>/artifacts.
#
# Usage: fuzz/run-fuzz.sh [build folder] [seconds per target] [jobs] [targets...]
# Defaults: build/fuzz, 30 seconds, 2 jobs, every target. The jobs are the
# build's and as many targets running at once.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(realpath -m "${1:-$ROOT/build/fuzz}")
SECONDS_EACH=${2:-30}
JOBS=${3:-2}
shift $(($# < 3 ? $# : 3))
TARGETS=("$@")
[ ${#TARGETS[@]} -gt 0 ] || TARGETS=(regfile ini page inf tool)
# A fixed seed makes a failing run repeatable; VX_FUZZ_SEED=0 picks a new one.
SEED=${VX_FUZZ_SEED:-1}
CC_BIN=${VX_FUZZ_CC:-clang-14}
CXX_BIN=${VX_FUZZ_CXX:-clang++-14}

mkdir -p "$BUILD"
echo "==> Configuring the fuzz targets in $BUILD ($CXX_BIN)"
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVX_FUZZ=ON \
    -DCMAKE_C_COMPILER="$CC_BIN" -DCMAKE_CXX_COMPILER="$CXX_BIN" >"$BUILD/configure.log" 2>&1 ||
    {
        cat "$BUILD/configure.log"
        exit 1
    }
echo "==> Building the fuzz targets with $JOBS jobs"
cmake --build "$BUILD" -j "$JOBS" --target "${TARGETS[@]/#/fuzz_}"

# One target's run; its outcome goes to fuzz-<target>.result.
fuzz_one() {
    local target=$1
    local work=$BUILD/corpus/$target
    local log=$BUILD/fuzz-$target.log result=$BUILD/fuzz-$target.result
    mkdir -p "$work" "$BUILD/artifacts"
    local rc=0
    # A fault exits with 1 (libFuzzer's own default, 77, means "skipped" to the callers).
    "$BUILD/fuzz/fuzz_$target" -max_total_time="$SECONDS_EACH" -seed="$SEED" -timeout=20 -max_len=8192 \
        -error_exitcode=1 -print_final_stats=1 \
        -artifact_prefix="$BUILD/artifacts/$target-" "$work" "$ROOT/fuzz/corpus/$target" \
        >"$log" 2>&1 || rc=$?
    local runs cov ft
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
    ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
    {
        echo "==> fuzz_$target for ${SECONDS_EACH}s"
        if [ "$rc" -eq 0 ]; then
            echo "    ${runs:-?} runs, coverage ${cov:-?} edges, ${ft:-?} features, no findings"
        else
            echo "    FAILED (exit $rc) after ${runs:-?} runs; log $log"
            grep -E '^\*\*\* broken|ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error|Test unit written' \
                "$log" | head -5 | sed 's/^/    /'
        fi
    } >"$result"
    return "$rc"
}

# The targets run side by side, JOBS at a time.
echo "==> Running ${#TARGETS[@]} fuzz targets for ${SECONDS_EACH}s each, $JOBS at a time"
pids=()
for target in "${TARGETS[@]}"; do
    rm -f "$BUILD/fuzz-$target.result"
    while [ "$(jobs -rp | wc -l)" -ge "$JOBS" ]; do
        wait -n || true
    done
    fuzz_one "$target" &
    pids+=($!)
done
failed=0
for i in "${!TARGETS[@]}"; do
    wait "${pids[$i]}" || failed=1
    cat "$BUILD/fuzz-${TARGETS[$i]}.result" 2>/dev/null ||
        echo "==> fuzz_${TARGETS[$i]}: no result"
done
exit "$failed"
