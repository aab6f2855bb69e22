#!/bin/bash
# The demonstration's Windows part, sourced by run-demo.sh (after setup.sh
# and wine-env.sh): builds tarnel.dll and the Display control panel host,
# prepares a Wine prefix with the sample display driver, installs the
# extension with tarnel.inf as a user would, and opens Display Properties with Ctrl held. With a reachable X
# display the sheet is left to the user; without one the host drives it
# under Xvfb, saves a picture of the page, clicks one setting of each action
# kind, applies, answers the restart question No, and this script shows how
# the INI file changed. Run vx_demo_wine in a subshell: it sets an EXIT trap
# that stops the wineserver and the Xvfb it started.
#
# Run as a script, "demo-wine.sh show BUILD_DIR" does only the Wine part,
# driven, over a build made before: that is how run-demo.sh runs it inside
# a virtual machine where this machine's kernel cannot run 32-bit programs.

# Whether DISPLAY names an X server that answers.
vx_display_reachable() {
    [ -n "${DISPLAY:-}" ] || return 1
    if command -v xdpyinfo >/dev/null 2>&1; then
        timeout 5 xdpyinfo >/dev/null 2>&1
        return
    fi
    # Without xdpyinfo: a local display is there when its socket is.
    case $DISPLAY in
        :*)
            local number=${DISPLAY#:}
            [ -S "/tmp/.X11-unix/X${number%%.*}" ]
            ;;
        *) return 0 ;;
    esac
}

vx_demo_wine() {
    vx_demo_wine_build "$1" "$2" && vx_demo_wine_show "$1"
}

# Builds what the Wine part needs: the DLLs, tarnel.inf and displayhost.exe.
vx_demo_wine_build() {
    local build=$1 jobs=$2
    local win32_dir=$build/win32
    vx_log "Configuring the Windows build in $win32_dir"
    mkdir -p "$build"
    cmake -S "$ROOT" -B "$win32_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" >"$win32_dir.configure.log" 2>&1 ||
        {
            cat "$win32_dir.configure.log"
            return 1
        }
    vx_log "Building tarnel.dll, its stand-in libraries and the Display control panel host"
    cmake --build "$win32_dir" -j "$jobs" --target displayhost
}

vx_demo_wine_show() {
    local build=$1
    local win32_dir=$build/win32 demo_dir=$build/demo
    local interactive=0
    if [ "${VX_DEMO_SCRIPTED:-0}" != 1 ] && vx_display_reachable; then
        interactive=1
    else
        unset DISPLAY
    fi

    local bin=$win32_dir/bin
    [ -f "$bin/displayhost.exe" ] && [ -f "$bin/tarnel.dll" ] || {
        echo "demo: $bin lacks displayhost.exe or tarnel.dll" >&2
        return 1
    }

    trap vx_wine_stop EXIT
    vx_start_display
    mkdir -p "$demo_dir"
    # A copy of the Windows build's prefix template (the tests' own).
    vx_start_wine "$demo_dir" "$win32_dir"
    local windir
    windir=$(realpath "$(winepath -u 'C:\windows' 2>/dev/null)")

    vx_log "Putting the sample display driver into the prefix's registry"
    # Start from the sample as shipped: the page prunes and evicts Layout data.
    printf 'REGEDIT4\r\n\r\n[-HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\Display\\0001\\Vexaro]\r\n\r\n' \
        >"$demo_dir/clear-driver.reg"
    wine regedit /S "$(winepath -w "$demo_dir/clear-driver.reg")"
    wine regedit /S "$(winepath -w "$ROOT/sample/driver.reg")"
    vx_log "Putting the sample INI file into $windir"
    cp "$ROOT/sample/vexaro.ini" "$windir/vexaro.ini"
    cp "$ROOT/sample/vexaro.ini" "$demo_dir/vexaro.ini.before"
    # The extension installed as a user installs it: setup reads tarnel.inf,
    # copies the DLLs into the system folder and registers them there.
    vx_log "Installing the Vexaro page: rundll32 setupapi.dll,InstallHinfSection DefaultInstall 132 tarnel.inf"
    (cd "$bin" && wine rundll32.exe setupapi.dll,InstallHinfSection DefaultInstall 132 \
        "$(winepath -w "$bin/tarnel.inf")")
    wineserver -w
    [ -f "$windir/system32/tarnel.dll" ] || {
        echo "demo: setup did not copy tarnel.dll into $windir/system32" >&2
        return 1
    }
    # Wine draws the sheet's own frame when no window manager does.
    if [ "$interactive" = 1 ]; then
        wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 || true
    else
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    fi

    # The control panel host runs from the demo folder, away from the
    # build's DLLs: the shell loads what setup installed.
    cp "$bin/displayhost.exe" "$demo_dir/displayhost.exe"
    if [ "$interactive" = 1 ]; then
        vx_log "Opening Display Properties on $DISPLAY with Ctrl held; close it to end the demo"
        (cd "$demo_dir" && wine displayhost.exe --trace)
        return
    fi

    local bmp=$demo_dir/vexaro-page.bmp png=$demo_dir/vexaro-page.png
    rm -f "$bmp" "$png"
    vx_log "Opening Display Properties with Ctrl held and driving it (no display: Xvfb $DISPLAY)"
    local rc=0
    (cd "$demo_dir" && wine displayhost.exe --trace --script \
        --screenshot "$(winepath -w "$bmp")") || rc=$?
    if [ -f "$bmp" ]; then
        vx_log "Converting the picture of the page to PNG"
        convert "$bmp" "$png" && rm -f "$bmp"
        vx_log "Picture of the Vexaro page: $png"
    fi
    # Wine rewrites the whole file when it writes a key and drops its blank lines.
    vx_log "How the sample INI file changed ($windir/vexaro.ini)"
    diff -u --label "vexaro.ini before" --label "vexaro.ini after" \
        <(tr -d '\r' <"$demo_dir/vexaro.ini.before" | grep -v '^[[:space:]]*$') \
        <(tr -d '\r' <"$windir/vexaro.ini" | grep -v '^[[:space:]]*$') || true
    wineserver -w
    return "$rc"
}

if [ "${BASH_SOURCE[0]}" = "$0" ] && [ "${1:-}" = show ]; then
    set -euo pipefail
    cd "$(dirname "$0")/.."
    ROOT=$PWD
    source scripts/setup.sh
    source scripts/wine-env.sh
    VX_DEMO_SCRIPTED=1 vx_demo_wine_show "$(realpath "$2")"
fi
