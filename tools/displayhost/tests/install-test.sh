#!/bin/bash
# Installs the Vexaro page with tarnel.inf into a fresh Wine prefix as a
# user would (the 32-bit rundll32 with setupapi's InstallHinfSection), twice,
# then uninstalls it with the INF that setup left in the INF folder, and
# runs test_install.exe after each step.
#
#   install-test.sh BIN_DIR WORK_DIR
#
# BIN_DIR holds the DLLs, tarnel.inf and install/test_install.exe. A prefix
# template (the test command's, VX_WINE_TEMPLATE, or else one made once under
# WORK_DIR/prefix-template) is copied to WORK_DIR/install-prefix (or into
# VX_WINE_PREFIXES), so every run starts from a prefix that never saw the page. It runs on an X
# display of its own.
set -euo pipefail

bin=$(cd "$1" && pwd)
work=$2
scripts=$(cd "$(dirname "$0")/../../../scripts" && pwd)
source "$scripts/setup.sh"
source "$scripts/wine-env.sh"
mkdir -p "$work"

if [ -n "${VX_WINE_TEMPLATE:-}" ]; then
    template=$VX_WINE_TEMPLATE
else
    template=$work/prefix-template
    [ -f "$template/system.reg" ] || vx_make_prefix "$template"
fi
export WINEARCH=win32 WINEDEBUG=-all
# Beside the test programs' prefixes where the test command puts them
# (VX_WINE_PREFIXES): a copy links the template's binaries, which needs the
# same file system.
export WINEPREFIX=${VX_WINE_PREFIXES:-$work}/install-prefix
rm -rf "$WINEPREFIX"
vx_copy_prefix "$template" "$WINEPREFIX"
VX_WINE_STARTED=1
unset DISPLAY
trap vx_wine_stop EXIT
vx_start_display
# One Wine session for every step, its desktop ready before the first: the
# server stays up between them (stopped at the end), so the prefix's services
# start once rather than at each step, which took some 20 s a step under
# emulation.
vx_wine_start_desktop

system=$WINEPREFIX/drive_c/windows/system32
# The driver maker's own tandrel.dll, which setup keeps on Windows (Wine
# ignores the copy flag that says so), and another Display handler, which
# neither install nor uninstall may touch.
cp "$bin/tandrel.dll" "$system/tandrel.dll"
printf "driver maker's own copy" >>"$system/tandrel.dll"
wine reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion\Controls Folder\Display\shellex\PropertySheetHandlers\Other' \
    /ve /d '{00000000-0000-0000-0000-00000000F00D}' /f >/dev/null

run_setup() {
    echo "install-test: InstallHinfSection $1 132 $2"
    wine rundll32.exe setupapi.dll,InstallHinfSection "$1" 132 "$2"
}

check() {
    echo "install-test: $1"
    wine "$bin/install/test_install.exe" --gtest_filter="$1"
}

inf=$(winepath -w "$bin/tarnel.inf")
status=0
run_setup DefaultInstall "$inf"
check 'Installed.*' || status=1
run_setup DefaultInstall "$inf"
check 'Installed.*' || status=1
run_setup DefaultUninstall 'C:\windows\inf\tarnel.inf'
check 'Uninstalled.*' || status=1
exit $status
