#!/bin/bash
# Runs one Windows program under Wine; ctest runs every Windows test program
# through it (the build's CMAKE_CROSSCOMPILING_EMULATOR).
#
#   wine-test.sh PROGRAM [ARGS...]
#
# With VX_WINE_TEMPLATE naming a prefix template (scripts/run-wine-tests.sh
# makes one per build), the program runs in a copy of that prefix of its own
# and on an X display (Xvfb) of its own, so that programs can run side by
# side and none sees what another left. The copy is removed when the program
# passes and kept (its path printed) when it fails; VX_WINE_PREFIXES names
# where the copies go, VX_WINE_KEEP where a failed one is kept instead. Before
# the program runs,
#   VX_WINE_VERSION=win95   sets the Windows version Wine plays
#                           (HKCU\Software\Wine, Version),
#   VX_WINE_DPI=120         sets the dots per inch it draws at
#                           (HKCU\Control Panel\Desktop, LogPixels),
# in that copy; a test sets them with the ctest property ENVIRONMENT.
# Without VX_WINE_TEMPLATE the program runs as plain wine runs it, in the
# environment's WINEPREFIX and DISPLAY.
set -uo pipefail
if [ -z "${VX_WINE_TEMPLATE:-}" ]; then
    exec wine "$@"
fi
SCRIPTS=$(cd "$(dirname "$0")" && pwd)
source "$SCRIPTS/setup.sh"
source "$SCRIPTS/wine-env.sh"

prefixes=${VX_WINE_PREFIXES:-${VX_WINE_TEMPLATE%/*}/wineprefixes}
mkdir -p "$prefixes" || exit 1
name=$(basename "$1" .exe)
prefix=$(mktemp -u "$prefixes/$name.XXXXXX")
vx_copy_prefix "$VX_WINE_TEMPLATE" "$prefix" || {
    echo "wine-test: cannot copy $VX_WINE_TEMPLATE to $prefix" >&2
    exit 1
}
export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all}
VX_WINE_STARTED=1
unset DISPLAY
trap vx_wine_stop EXIT
vx_start_display >/dev/null || exit 1

# The session comes up first, with its desktop (explorer) started and ready
# before the program's first window: on a loaded or emulated machine a window
# that came before the desktop was ready got no display driver at all (every
# window of the program failed).
vx_wine_start_desktop

if [ -n "${VX_WINE_VERSION:-}" ]; then
    wine reg add 'HKCU\Software\Wine' /v Version /d "$VX_WINE_VERSION" /f >/dev/null || exit 1
fi
if [ -n "${VX_WINE_DPI:-}" ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$VX_WINE_DPI" /f \
        >/dev/null || exit 1
fi

wine "$@"
rc=$?
vx_wine_stop
trap - EXIT
if [ "$rc" -eq 0 ]; then
    rm -rf "$prefix"
elif [ -n "${VX_WINE_KEEP:-}" ]; then
    # The prefix lies where it will not outlive the run: what the run wrote
    # (all but Wine's own binaries) is kept under VX_WINE_KEEP.
    kept=$VX_WINE_KEEP/${prefix##*/}
    vx_copy_prefix_data "$prefix" "$kept" && rm -rf "$prefix"
    echo "wine-test: $name exited with $rc; its prefix is kept in $kept (without Wine's binaries)" >&2
else
    echo "wine-test: $name exited with $rc; its prefix is kept in $prefix" >&2
fi
exit "$rc"
