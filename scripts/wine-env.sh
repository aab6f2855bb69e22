#!/bin/bash
# Sourced helpers for running the Windows build under Wine: an X display
# (Xvfb on a free display number when none is set) and a 32-bit Wine prefix
# of the build's own. vx_wine_stop undoes what vx_wine_start began.

VX_XVFB_PID=""
VX_WINE_STARTED=""

# Whether this machine can run 32-bit x86 programs, which 32-bit Wine is:
# a kernel built or started without 32-bit support refuses them with
# "Exec format error" (ENOEXEC), whatever is installed.
vx_can_run_32bit() {
    local loader=/lib/ld-linux.so.2
    [ -e "$loader" ] || return 0 # not installed: let Wine's own start tell
    "$loader" --version >/dev/null 2>&1 && return 0
    [ "$?" -ne 126 ]
}

# Starts Xvfb on the first free display from :90 on, unless DISPLAY is set.
vx_start_display() {
    if [ -n "${DISPLAY:-}" ]; then
        vx_log "Using the X display $DISPLAY"
        return 0
    fi
    local n
    for n in $(seq 90 199); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        vx_log "Starting Xvfb on display :$n"
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        VX_XVFB_PID=$!
        local tries
        for tries in $(seq 1 50); do
            if [ -e "/tmp/.X11-unix/X$n" ]; then
                export DISPLAY=":$n"
                return 0
            fi
            if ! kill -0 "$VX_XVFB_PID" 2>/dev/null; then break; fi
            sleep 0.2
        done
        kill "$VX_XVFB_PID" 2>/dev/null || true
        VX_XVFB_PID=""
    done
    echo "wine-env: could not start Xvfb" >&2
    return 1
}

# Prepares the Wine prefix (created once) for the given build folder and
# exports WINEPREFIX, WINEARCH and WINEDEBUG.
vx_start_wine() {
    local build_dir=$1
    export WINEPREFIX="$build_dir/wineprefix"
    export WINEARCH=win32
    export WINEDEBUG=-all
    VX_WINE_STARTED=1
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        vx_log "Creating the Wine prefix $WINEPREFIX (takes a minute the first time)"
        mkdir -p "$build_dir"
        # No Mono or Gecko: nothing here needs .NET or HTML, and their
        # installers would ask questions.
        WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
        wineserver -w
    fi
}

vx_wine_start() {
    vx_start_display && vx_start_wine "$1"
}

# Stops this prefix's wineserver and the Xvfb that vx_start_display started.
vx_wine_stop() {
    if [ -n "$VX_WINE_STARTED" ] && [ -n "${WINEPREFIX:-}" ]; then
        wineserver -k >/dev/null 2>&1 || true
        VX_WINE_STARTED=""
    fi
    if [ -n "$VX_XVFB_PID" ]; then
        kill "$VX_XVFB_PID" 2>/dev/null || true
        wait "$VX_XVFB_PID" 2>/dev/null || true
        VX_XVFB_PID=""
    fi
}
