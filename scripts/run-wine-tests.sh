#!/bin/bash
# Runs the Windows build's tests under Wine: makes the build's prefix
# template once (WIN32_BUILD_DIR/wineprefix-template), from which every test
# program gets a copy of its own and an X display of its own
# (scripts/wine-test.sh), and runs them side by side with ctest.
#   scripts/run-wine-tests.sh WIN32_BUILD_DIR [LOG] [CTEST ARGS...]
# VX_WINE_JOBS sets how many run at once (default: the number of processors).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
source scripts/wine-env.sh

WIN32_DIR=$(realpath "$1")
LOG=${2:-$WIN32_DIR/ctest-wine.log}
shift $(($# < 2 ? $# : 2))
# The test that changes the display mode runs alone (ctest's RUN_SERIAL): side
# by side under an emulated processor its mode change came too late.
JOBS=${VX_WINE_JOBS:-$(nproc)}
started=$SECONDS
# Under emulation the template and the programs' prefixes lie in the virtual
# machine's own memory (its /tmp) rather than on the folder it shares with
# this machine over 9p, so that making the template, each copy and each
# registry save stay off that folder. A failed program's prefix is kept under
# the build folder all the same (VX_WINE_KEEP).
TEMPLATE_HOME=$WIN32_DIR
if [ "${VX_EMULATED:-0}" = 1 ]; then
    TEMPLATE_HOME=$(mktemp -d "${TMPDIR:-/tmp}/vx-wine.XXXXXX")
    export VX_WINE_PREFIXES=$TEMPLATE_HOME/wineprefixes
    export VX_WINE_KEEP=$WIN32_DIR/wineprefixes
fi
vx_wine_template "$TEMPLATE_HOME" || {
    echo "run-wine-tests: no Wine prefix template" >&2
    exit 1
}
vx_log "Prefix template ready ($((SECONDS - started))s): $VX_WINE_TEMPLATE"
# Programs that do not go through wine-test.sh (the install test) share
# this display.
trap vx_wine_stop EXIT
vx_start_display || {
    echo "run-wine-tests: no X display" >&2
    exit 1
}
rm -rf "$WIN32_DIR/wineprefixes"
vx_log "Running the Windows tests under Wine, $JOBS at a time"
# ctest starts the longest tests first (their COST), so that the short ones
# fill in beside them.
ctest --test-dir "$WIN32_DIR" --output-on-failure -j "$JOBS" "$@" 2>&1 | tee "$LOG"
