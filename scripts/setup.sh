#!/bin/bash
# Installs what building, testing and the demo need on Debian 12, and only
# what is missing. Sourced by the other scripts (which then call vx_setup)
# or run on its own, as root or as a user: root is asked for (through sudo)
# only when something must be installed.

VX_PACKAGES=(
    cmake g++ googletest libgtest-dev libgmock-dev libbenchmark-dev
    clang-14 libclang-rt-14-dev clang-format
    wine wine32:i386 g++-mingw-w64-i686
    xvfb xauth imagemagick
    nlohmann-json3-dev libcairo2-dev fonts-wine
)

vx_log() { printf '==> %s\n' "$*"; }

# Runs a command as root: directly when this is root, else through sudo.
vx_as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "setup: installing needs root, and sudo is not installed; run this as root" >&2
        return 1
    fi
}

vx_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# Installs those of the given packages that are missing, with the options
# that follow "--" given to apt-get install.
vx_install_missing() {
    local missing=() options=()
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        vx_installed "$1" || missing+=("$1")
        shift
    done
    [ $# -gt 0 ] && shift && options=("$@")
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    [ "$(id -u)" -eq 0 ] || vx_log "Missing packages (${missing[*]}): installing them as root with sudo"
    # wine32 comes from the i386 architecture.
    if [ "$(dpkg --print-architecture)" != i386 ] &&
        ! dpkg --print-foreign-architectures | grep -qx i386; then
        vx_log "Enabling the i386 architecture for 32-bit Wine"
        vx_as_root dpkg --add-architecture i386 || return 1
    fi
    vx_log "Updating the package lists"
    vx_as_root apt-get update -q || return 1
    vx_log "Installing: ${missing[*]} (this can take several minutes)"
    vx_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${options[@]}" "${missing[@]}"
}

vx_setup() {
    vx_install_missing "${VX_PACKAGES[@]}" || return 1
    vx_log "All required packages are installed"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    vx_setup
fi
