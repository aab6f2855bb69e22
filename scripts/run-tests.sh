#!/bin/bash
# Builds everything and runs every test: the host build with its tests on
# Linux, then the Windows cross-build with its tests under Wine. Prints a
# summary with each stage's time against its budget and exits non-zero when
# any stage fails. A stage or the whole run over its budget is named in a
# warning (it does not fail the run: machines differ).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
source scripts/setup.sh
source scripts/wine-env.sh
source scripts/vm.sh

JOBS=${VX_JOBS:-$(nproc)}
# Where the builds go; VX_BUILD_DIR (relative to the repository) moves them.
BUILD=$(realpath -m "${VX_BUILD_DIR:-$ROOT/build}")
HOST_DIR=$BUILD/host
WIN32_DIR=$BUILD/win32
ASAN_DIR=$BUILD/host-asan
SUMMARY=()
WARNINGS=()
FAILED=0

# The budgets, in seconds, for a 2-core machine counted from a fresh clone
# with the packages installed: the whole run and each stage. The first
# figure holds where this kernel runs Wine, the second where Wine runs in
# the emulated machine (scripts/vm.sh). The stages' figures add up to the
# whole run's and follow a measured run: on this kind of machine under
# emulation format 2 s, host build 365, host tests 9, sanitizer 288, fuzz
# 213, Windows cross-build 235, Wine 1,364 (with other work running beside).
EMULATED=0
if vx_use_vm; then EMULATED=1; fi
budget() { if [ "$EMULATED" = 1 ]; then echo "$2"; else echo "$1"; fi; }
TOTAL_BUDGET=$(budget 1200 2400)

# Runs one stage in a subshell with errexit on, and records its outcome
# and time against its budget (seconds). A stage that exits with 77 was
# skipped.
run_stage() {
    local name=$1 budget=$2
    shift 2
    vx_log "Stage: $name (budget ${budget}s)"
    local started=$SECONDS rc=0
    set +e
    (
        set -e
        "$@"
    )
    rc=$?
    set -e
    local took=$((SECONDS - started))
    local times
    times=$(printf '%5ss of %5ss' "$took" "$budget")
    case $rc in
        0) SUMMARY+=("PASS  $times  $name") ;;
        77) SUMMARY+=("SKIP  $times  $name") ;;
        *)
            SUMMARY+=("FAIL  $times  $name (exit $rc)")
            FAILED=1
            ;;
    esac
    if [ "$took" -gt "$budget" ]; then
        local warning="WARNING: the stage \"$name\" took ${took}s, over its budget of ${budget}s"
        echo "$warning"
        WARNINGS+=("$warning")
    fi
}

configure() {
    local dir=$1
    shift
    vx_log "Configuring $dir"
    cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >"$dir.configure.log" 2>&1 ||
        {
            cat "$dir.configure.log"
            return 1
        }
}

# build DIR [TARGET...]: builds the targets (all by default).
build() {
    local dir=$1
    shift
    vx_log "Building $dir with $JOBS jobs${1:+: $*}"
    [ $# -eq 0 ] || set -- --target "$@"
    # Keep going past a broken target so that the other test programs still run.
    cmake --build "$dir" -j "$JOBS" "$@" -- -k
}

configure_and_build() {
    configure "$@" && build "$1"
}

# The test programs of a configured build folder (every target test_*).
test_targets() {
    cmake --build "$1" --target help | sed -n 's/^\.\.\. \(test_[A-Za-z0-9_]*\).*/\1/p'
}

# Whether a build folder was configured far enough to run its tests.
configured() { [ -f "$1/CTestTestfile.cmake" ]; }

# The failed tests that a ctest log lists, for the summary.
ctest_failures() {
    [ -f "$1" ] || return 0
    sed -n '/The following tests FAILED:/,$p' "$1" | grep -E '^[[:space:]]+[0-9]+ - ' |
        sed 's/^[[:space:]]*/        /'
}

stage_host_build() {
    mkdir -p "$BUILD"
    configure_and_build "$HOST_DIR"
}

stage_host_tests() {
    vx_log "Running the host tests"
    ctest --test-dir "$HOST_DIR" --output-on-failure -j "$JOBS" 2>&1 | tee "$BUILD/host-ctest.log"
}

# A host build with AddressSanitizer and UndefinedBehaviorSanitizer
# (clang, cmake -DVX_SANITIZE=ON) and its tests; any finding fails a test.
# It builds the test programs (and what they run) only: the host build has
# built everything else already.
stage_sanitizer() {
    mkdir -p "$BUILD"
    CC=clang-14 CXX=clang++-14 configure "$ASAN_DIR" -DVX_SANITIZE=ON
    local targets
    mapfile -t targets < <(test_targets "$ASAN_DIR")
    build "$ASAN_DIR" "${targets[@]}"
    vx_log "Running the host tests with the sanitizers"
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --test-dir "$ASAN_DIR" --output-on-failure -j "$JOBS" 2>&1 | tee "$BUILD/host-asan-ctest.log"
}

# Short runs (30 s each, as many at once as there are jobs) of the fuzz
# targets over their seed corpora.
stage_fuzz() {
    "$ROOT/fuzz/run-fuzz.sh" "$BUILD/fuzz" 30 "$JOBS"
}

stage_win32_build() {
    mkdir -p "$BUILD"
    configure_and_build "$WIN32_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake"
}

# The Windows tests that run on the build machine itself (label "native").
stage_win32_native_tests() {
    vx_log "Running the Windows build's tests that need no Wine"
    ctest --test-dir "$WIN32_DIR" --output-on-failure -L native 2>&1 | tee "$BUILD/win32-ctest.log"
}

stage_win32_tests() {
    "$ROOT/scripts/run-wine-tests.sh" "$WIN32_DIR" "$BUILD/win32-ctest.log"
}

# The same inside a virtual machine whose kernel runs 32-bit programs.
stage_win32_tests_vm() {
    if [ "${VX_FORCE_VM:-0}" = 1 ]; then
        vx_log "VX_FORCE_VM=1: running Wine in a virtual machine (QEMU)"
    else
        vx_log "This kernel cannot run 32-bit programs: running Wine in a virtual machine (QEMU)"
    fi
    vx_vm_run "$BUILD/vm" "$ROOT/scripts/run-wine-tests.sh" "$WIN32_DIR" "$BUILD/win32-ctest.log"
}

vx_log "Checking the required packages"
vx_setup

stage_format() {
    "$ROOT/scripts/check-format.sh"
}

rm -f "$BUILD/host-ctest.log" "$BUILD/host-asan-ctest.log" "$BUILD/win32-ctest.log"
run_stage "source format" "$(budget 20 20)" stage_format
run_stage "host build" "$(budget 330 450)" stage_host_build
if configured "$HOST_DIR"; then
    run_stage "host tests" "$(budget 20 30)" stage_host_tests
    mapfile -t -O ${#SUMMARY[@]} SUMMARY < <(ctest_failures "$BUILD/host-ctest.log")
else
    SUMMARY+=("SKIP  host tests (host build not configured)")
fi
run_stage "sanitizer build and tests" "$(budget 270 350)" stage_sanitizer
mapfile -t -O ${#SUMMARY[@]} SUMMARY < <(ctest_failures "$BUILD/host-asan-ctest.log")
run_stage "fuzz runs" "$(budget 160 220)" stage_fuzz

run_stage "Windows cross-build" "$(budget 160 260)" stage_win32_build
if ! configured "$WIN32_DIR"; then
    SUMMARY+=("SKIP  Windows tests under Wine (Windows build not configured)")
elif [ "$EMULATED" = 0 ]; then
    run_stage "Windows tests under Wine" 240 stage_win32_tests
    mapfile -t -O ${#SUMMARY[@]} SUMMARY < <(ctest_failures "$BUILD/win32-ctest.log")
elif vx_vm_setup; then
    # A kernel without 32-bit support (ia32_emulation off) cannot start
    # Wine's 32-bit loader: Wine runs in a virtual machine instead.
    run_stage "Windows tests under Wine, in a virtual machine" 1070 stage_win32_tests_vm
    mapfile -t -O ${#SUMMARY[@]} SUMMARY < <(ctest_failures "$BUILD/win32-ctest.log")
else
    # No way to run Wine at all: what needs no Wine still runs.
    run_stage "Windows tests without Wine" 60 stage_win32_native_tests
    mapfile -t -O ${#SUMMARY[@]} SUMMARY < <(ctest_failures "$BUILD/win32-ctest.log")
    SUMMARY+=("FAIL  Windows tests under Wine: this kernel cannot run 32-bit programs, and no virtual machine could be set up")
    FAILED=1
fi

TOTAL=$SECONDS
if [ "$EMULATED" = 1 ]; then
    WHERE="Wine in the emulated machine"
else
    WHERE="Wine on this machine"
fi
if [ "$TOTAL" -gt "$TOTAL_BUDGET" ]; then
    WARNINGS+=("WARNING: the whole run took ${TOTAL}s, over its budget of ${TOTAL_BUDGET}s")
fi

echo
echo "==================== Summary ===================="
printf '  %s\n' "${SUMMARY[@]}"
echo "-------------------------------------------------"
printf '  Total %ss (%d min) of a budget of %ss (%d min; %s, %s cores)\n' \
    "$TOTAL" $(((TOTAL + 59) / 60)) "$TOTAL_BUDGET" $((TOTAL_BUDGET / 60)) "$WHERE" "$(nproc)"
[ ${#WARNINGS[@]} -eq 0 ] || printf '  %s\n' "${WARNINGS[@]}"
echo "================================================="
if [ "$FAILED" -ne 0 ]; then
    echo "Some stages FAILED; see the output above."
    exit 1
fi
echo "All stages passed."
