#!/bin/bash
# Runs Windows test programs under Wine in a copy of the current prefix that
# plays another Windows:
#   win95   HKCU\Software\Wine "Version"="win95": Windows 95's version and
#           registry rules
#   dpi120  HKCU\Control Panel\Desktop "LogPixels"=dword:120: the screen at
#           120 dots per inch (Large Fonts)
#
#   wine-variant.sh VARIANT WORK_DIR PROGRAM FILTER [PROGRAM FILTER]...
#
# WINEPREFIX names the prefix to copy (the build's own, as
# scripts/run-wine-tests.sh sets it); the copy is WORK_DIR/prefix-VARIANT,
# made anew for each run. The registry files are copied and edited before
# Wine starts there; the rest of the prefix is linked, not copied, since
# Wine only reads it. Each PROGRAM runs with --gtest_filter=FILTER and is
# told what to expect through VX_EXPECT_WINDOWS and VX_EXPECT_DPI.
set -euo pipefail

variant=$1
work=$2
shift 2
: "${WINEPREFIX:?wine-variant: WINEPREFIX names no prefix to copy}"
[ -f "$WINEPREFIX/user.reg" ] || {
    echo "wine-variant: $WINEPREFIX is no Wine prefix" >&2
    exit 1
}
base=$(cd "$WINEPREFIX" && pwd)

case $variant in
    win95)
        key='Software\\Wine'
        value='"Version"="win95"'
        export VX_EXPECT_WINDOWS=95
        ;;
    dpi120)
        key='Control Panel\\Desktop'
        value='"LogPixels"=dword:00000078'
        export VX_EXPECT_DPI=120
        ;;
    *)
        echo "wine-variant: unknown variant $variant (win95, dpi120)" >&2
        exit 2
        ;;
esac

prefix=$(mkdir -p "$work" && cd "$work" && pwd)/prefix-$variant
export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=${VX_WINEDEBUG:--all}
if [ -d "$prefix" ]; then
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$prefix"
fi
mkdir "$prefix"
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

# The registry and Wine's own state files are copied; drive_c is a tree of
# new folders with hard links to the base's files (symbolic links where
# the base lies on another file system). Wine replaces a registry file as a
# whole when it saves it, and a test's own files are new ones.
cp -a "$base"/*.reg "$base"/.update-timestamp "$prefix"/ 2>/dev/null || cp -a "$base"/*.reg "$prefix"/
cp -a "$base/dosdevices" "$prefix/dosdevices"
cp -al "$base/drive_c" "$prefix/drive_c" 2>/dev/null || {
    rm -rf "$prefix/drive_c"
    cp -as "$base/drive_c" "$prefix/drive_c"
}
# Except the Windows folder's own INI files, which Wine rewrites in place.
for ini in "$base"/drive_c/windows/*.ini; do
    if [ -f "$ini" ]; then cp --remove-destination "$ini" "$prefix/drive_c/windows/"; fi
done

# A section of its own at the end: Wine merges it into the key of that name.
printf '\n[%s] %s\n%s\n' "$key" "$(date +%s)" "$value" >>"$prefix/user.reg"

# The session stays up for all programs, with its desktop (explorer) started
# and ready before the first one: a program whose first window comes before
# the desktop is ready gets no display driver at all, which a slow (emulated)
# machine can take longer to reach than Wine waits.
wineserver -p
wine explorer.exe /desktop >/dev/null 2>&1 &
deadline=$((SECONDS + 180))
while [ $SECONDS -lt $deadline ]; do
    wine reg query 'HKLM\System\CurrentControlSet\Control\Video' /s 2>/dev/null |
        grep -q GraphicsDriver && break
    sleep 1
done

status=0
while [ $# -ge 2 ]; do
    echo "wine-variant: $variant: $1 --gtest_filter=$2"
    wine "$1" "--gtest_filter=$2" || status=1
    shift 2
done
exit $status
