#!/bin/bash
# The demonstration: builds the system and shows what the page makes of the
# sample display driver (sample/driver.reg with sample/vexaro.ini): the
# Layout and Association data that the driver settings store reads, laid
# out as the page shows it. It builds only what it shows: the vexaro tool,
# and tarnel.dll with the Display control panel host.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
source scripts/setup.sh

JOBS=${VX_JOBS:-$(nproc)}
# Where the builds go; VX_BUILD_DIR (relative to the repository) moves them.
BUILD=$(realpath -m "${VX_BUILD_DIR:-$ROOT/build}")
HOST_DIR=$BUILD/host
TOOL=$HOST_DIR/tools/vexaro/vexaro

vx_log "Checking the required packages"
vx_setup

mkdir -p "$BUILD"
vx_log "Configuring the host build in $HOST_DIR"
cmake -S "$ROOT" -B "$HOST_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$HOST_DIR.configure.log" 2>&1 ||
    {
        cat "$HOST_DIR.configure.log"
        exit 1
    }
vx_log "Building the vexaro tool with $JOBS jobs"
cmake --build "$HOST_DIR" -j "$JOBS" --target vexaro

if [ ! -x "$TOOL" ] || [ ! -f sample/driver.reg ]; then
    vx_log "Not available yet: the vexaro tool or the sample driver data"
    echo "When they are, this demo reads the sample driver's registry data"
    echo "(sample/driver.reg) and INI file (sample/vexaro.ini) through the driver"
    echo "settings store and prints the page's entries as the page lays them out."
    exit 0
fi

# The tool works on a copy: the page's logic may prune stray registry data.
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cp sample/vexaro.ini "$WORK/"
vx_log "What the store reads from the sample driver, laid out as the page shows it"
"$TOOL" preview --registry sample/driver.reg --windir "$WORK" --png "$BUILD/vexaro-page.png"
vx_log "Picture of the page: $BUILD/vexaro-page.png"
vx_log "The same data as an AddReg section for the driver's INF (vexaro inf), first lines"
"$TOOL" inf --registry sample/driver.reg >"$WORK/driver.inf"
head -n 8 "$WORK/driver.inf" | tr -d '\r'
echo "  ... ($(wc -l <"$WORK/driver.inf") lines in all)"

# The page as the Display control panel shows it: tarnel.dll under Wine.
source scripts/wine-env.sh
source scripts/demo-wine.sh
source scripts/vm.sh
if ! vx_use_vm; then
    (vx_demo_wine "$BUILD" "$JOBS")
else
    # This kernel cannot run 32-bit programs (or VX_FORCE_VM=1): Wine runs,
    # driven, in a virtual machine over the build made here.
    vx_demo_wine_build "$BUILD" "$JOBS"
    vx_vm_setup
    vx_log "Wine runs in a virtual machine (QEMU): Display Properties opens there, driven"
    vx_vm_run "$BUILD/vm" "$ROOT/scripts/demo-wine.sh" show "$BUILD"
fi
