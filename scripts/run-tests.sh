#!/bin/bash
# Builds everything and runs every test: the host build with its tests on
# Linux, then the Windows cross-build with its tests under Wine. Prints a
# summary and exits non-zero when any stage fails.
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
FAILED=0

# Runs one stage in a subshell with errexit on, and records its outcome.
# A stage that exits with 77 was skipped.
run_stage() {
    local name=$1
    shift
    vx_log "Stage: $name"
    local started=$SECONDS rc=0
    set +e
    (
        set -e
        "$@"
    )
    rc=$?
    set -e
    local took=$((SECONDS - started))
    case $rc in
        0) SUMMARY+=("PASS  $name (${took}s)") ;;
        77) SUMMARY+=("SKIP  $name") ;;
        *)
            SUMMARY+=("FAIL  $name (exit $rc, ${took}s)")
            FAILED=1
            ;;
    esac
}

configure_and_build() {
    local dir=$1
    shift
    vx_log "Configuring $dir"
    cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >"$dir.configure.log" 2>&1 ||
        {
            cat "$dir.configure.log"
            return 1
        }
    vx_log "Building $dir with $JOBS jobs"
    # Keep going past a broken target so that the other test programs still run.
    cmake --build "$dir" -j "$JOBS" -- -k
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
stage_sanitizer() {
    mkdir -p "$BUILD"
    CC=clang-14 CXX=clang++-14 configure_and_build "$ASAN_DIR" -DVX_SANITIZE=ON
    vx_log "Running the host tests with the sanitizers"
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --test-dir "$ASAN_DIR" --output-on-failure -j "$JOBS" 2>&1 | tee "$BUILD/host-asan-ctest.log"
}

# Short runs (30 s each) of the fuzz targets over their seed corpora.
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
    vx_log "This kernel cannot run 32-bit programs: running Wine in a virtual machine (QEMU)"
    vx_vm_run "$BUILD/vm" "$ROOT/scripts/run-wine-tests.sh" "$WIN32_DIR" "$BUILD/win32-ctest.log"
}

vx_log "Checking the required packages"
vx_setup

stage_format() {
    "$ROOT/scripts/check-format.sh"
}

rm -f "$BUILD/host-ctest.log" "$BUILD/host-asan-ctest.log" "$BUILD/win32-ctest.log"
run_stage "source format" stage_format
run_stage "host build" stage_host_build
if configured "$HOST_DIR"; then
    run_stage "host tests" stage_host_tests
    mapfile -t -O ${#SUMMARY[@]} SUMMARY < <(ctest_failures "$BUILD/host-ctest.log")
else
    SUMMARY+=("SKIP  host tests (host build not configured)")
fi
run_stage "sanitizer build and tests" stage_sanitizer
mapfile -t -O ${#SUMMARY[@]} SUMMARY < <(ctest_failures "$BUILD/host-asan-ctest.log")
run_stage "fuzz runs" stage_fuzz

run_stage "Windows cross-build" stage_win32_build
if ! configured "$WIN32_DIR"; then
    SUMMARY+=("SKIP  Windows tests under Wine (Windows build not configured)")
elif vx_can_run_32bit; then
    run_stage "Windows tests under Wine" stage_win32_tests
    mapfile -t -O ${#SUMMARY[@]} SUMMARY < <(ctest_failures "$BUILD/win32-ctest.log")
elif vx_vm_setup; then
    # A kernel without 32-bit support (ia32_emulation off) cannot start
    # Wine's 32-bit loader: Wine runs in a virtual machine instead.
    run_stage "Windows tests under Wine, in a virtual machine" stage_win32_tests_vm
    mapfile -t -O ${#SUMMARY[@]} SUMMARY < <(ctest_failures "$BUILD/win32-ctest.log")
else
    # No way to run Wine at all: what needs no Wine still runs.
    run_stage "Windows tests without Wine" stage_win32_native_tests
    mapfile -t -O ${#SUMMARY[@]} SUMMARY < <(ctest_failures "$BUILD/win32-ctest.log")
    SUMMARY+=("FAIL  Windows tests under Wine: this kernel cannot run 32-bit programs, and no virtual machine could be set up")
    FAILED=1
fi

echo
echo "==================== Summary ===================="
printf '  %s\n' "${SUMMARY[@]}"
echo "================================================="
if [ "$FAILED" -ne 0 ]; then
    echo "Some stages FAILED; see the output above."
    exit 1
fi
echo "All stages passed."
