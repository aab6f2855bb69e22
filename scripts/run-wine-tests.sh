#!/bin/bash
# Runs the Windows build's tests under Wine: starts an X display (Xvfb) and
# the build's own Wine prefix, runs ctest one program at a time (the
# programs share the prefix's registry) and stops what it started.
#   scripts/run-wine-tests.sh WIN32_BUILD_DIR [LOG]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
source scripts/wine-env.sh

WIN32_DIR=$(realpath "$1")
LOG=${2:-$WIN32_DIR/ctest-wine.log}
trap vx_wine_stop EXIT
vx_wine_start "$WIN32_DIR" || {
    echo "run-wine-tests: no X display or Wine prefix" >&2
    exit 1
}
vx_log "Running the Windows tests under Wine"
ctest --test-dir "$WIN32_DIR" --output-on-failure -j 1 2>&1 | tee "$LOG"
