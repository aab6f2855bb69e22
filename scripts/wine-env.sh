#!/bin/bash
# Sourced helpers for running the Windows build under Wine: an X display
# (Xvfb on a free display number when none is set), a 32-bit Wine prefix
# of the build's own, and a prefix template that is made once and copied
# for every test program (scripts/wine-test.sh). vx_wine_stop undoes what
# vx_wine_start began.

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
# Several may start at once: a display is ours when its lock file names our
# Xvfb (the loser of a race for a number exits, and the next number is tried).
vx_start_display() {
    if [ -n "${DISPLAY:-}" ]; then
        vx_log "Using the X display $DISPLAY"
        return 0
    fi
    local n tries
    for n in $(seq 90 299); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        VX_XVFB_PID=$!
        # Under an emulated processor Xvfb takes a few seconds to start.
        for tries in $(seq 1 300); do
            kill -0 "$VX_XVFB_PID" 2>/dev/null || break
            if [ -e "/tmp/.X11-unix/X$n" ] &&
                [ "$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null)" = "$VX_XVFB_PID" ]; then
                export DISPLAY=":$n"
                vx_log "Started Xvfb on display $DISPLAY"
                return 0
            fi
            sleep 0.1
        done
        kill "$VX_XVFB_PID" 2>/dev/null || true
        VX_XVFB_PID=""
    done
    echo "wine-env: could not start Xvfb" >&2
    return 1
}

# Makes a new 32-bit Wine prefix in the given folder (wineboot, then waits
# until its wineserver has written everything and ended).
vx_make_prefix() {
    local prefix
    prefix=$(realpath -m "$1")
    vx_log "Creating the Wine prefix $prefix (takes a minute, several under emulation)"
    mkdir -p "${prefix%/*}"
    rm -rf "$prefix"
    # No Mono or Gecko: nothing here needs .NET or HTML, and their
    # installers would ask questions.
    WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
        wineboot -i >/dev/null 2>&1
    WINEPREFIX=$prefix wineserver -w
    [ -f "$prefix/system.reg" ] || {
        echo "wine-env: wineboot made no prefix in $prefix" >&2
        return 1
    }
}

# The prefix template of a build folder, made once ($1/wineprefix-template)
# and never run itself; exports VX_WINE_TEMPLATE, which makes every test
# program run in a copy of its own (scripts/wine-test.sh).
vx_wine_template() {
    local template version binary
    template=$(realpath -m "$1/wineprefix-template")
    version=$(wine --version 2>/dev/null)
    # A template of another Wine would be updated in every copy: made anew.
    if [ ! -f "$template/system.reg" ] || [ "$(cat "$template.version" 2>/dev/null)" != "$version" ]; then
        rm -f "$template.version"
        vx_make_prefix "$template" || return 1
        mapfile -d '' binary < <(vx_wine_binary_test)
        find "$template" -type f "${binary[@]}" -exec chmod a-w {} + || return 1
        printf '%s\n' "$version" >"$template.version"
    fi
    export VX_WINE_TEMPLATE=$template
}

# Wine's own programs and libraries in a prefix, which nothing writes: a
# copy of a template links them rather than copying them (some 500 MB).
VX_WINE_BINARIES=(dll exe drv sys vxd ocx cpl acm ax tlb nls ds msstyles com mod icm)

# The find(1) test for those files.
vx_wine_binary_test() {
    local ext test=()
    for ext in "${VX_WINE_BINARIES[@]}"; do
        test+=(-o -iname "*.$ext")
    done
    printf '%s\0' "(" "${test[@]:1}" ")"
}

# Copies what a prefix holds but Wine's binaries (the registry, the drive's
# files) to a new folder, which may lie on another file system.
vx_copy_prefix_data() {
    local prefix=$1 to=$2 binary
    mapfile -d '' binary < <(vx_wine_binary_test)
    mkdir -p "$to" &&
        (cd "$prefix" && find . ! "(" -type f "${binary[@]}" ")" -print0 |
            tar --null --no-recursion -T - -cf -) | tar -C "$to" -xpf -
}

# Copies a prefix template to a new prefix (which must not exist yet):
# Wine's binaries are hard links to the template's (which are read-only, so
# that Wine refuses to write them through a copy), everything else a copy.
vx_copy_prefix() {
    local template=$1 prefix=$2 binary
    mapfile -d '' binary < <(vx_wine_binary_test)
    vx_copy_prefix_data "$template" "$prefix" &&
        (cd "$template" && find . -type f "${binary[@]}" -print0 |
            xargs -0 -r cp -l --parents -t "$prefix")
}

# Prepares the Wine prefix of a folder for running programs there: a copy,
# made once, in $1/wineprefix of the template of the build folder $2 (by
# default $1). Exports WINEPREFIX, WINEARCH and WINEDEBUG.
vx_start_wine() {
    local build_dir
    build_dir=$(realpath -m "$1")
    export WINEARCH=win32
    export WINEDEBUG=-all
    VX_WINE_STARTED=1
    if [ ! -f "$build_dir/wineprefix/system.reg" ]; then
        vx_wine_template "${2:-$build_dir}" || return 1
        vx_copy_prefix "$VX_WINE_TEMPLATE" "$build_dir/wineprefix" || return 1
    fi
    export WINEPREFIX="$build_dir/wineprefix"
}

vx_wine_start() {
    vx_start_display && vx_start_wine "$1"
}

# Starts the prefix's Wine session with its desktop (explorer) and waits
# until the desktop has its display driver, at most 300 s. Under emulation
# a window that came before the desktop was ready got no display driver at
# all. The session's server stays up until vx_wine_stop.
vx_wine_start_desktop() {
    local deadline=$((SECONDS + 300))
    wineserver -p >/dev/null 2>&1
    wine explorer.exe /desktop >/dev/null 2>&1 &
    while [ $SECONDS -lt $deadline ]; do
        wine reg query 'HKLM\System\CurrentControlSet\Control\Video' /s 2>/dev/null |
            grep -q GraphicsDriver && return 0
        sleep 1
    done
    echo "wine-env: the desktop had no display driver after 300 s" >&2
    return 1
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
