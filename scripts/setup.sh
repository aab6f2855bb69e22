#!/bin/bash
# Installs what building, testing and the demo need on Debian 12, and only
# what is missing. Run as root; sourced by the other scripts (which then
# call vx_setup) or run on its own.

VX_PACKAGES=(
    cmake g++ googletest libgtest-dev libgmock-dev libbenchmark-dev
    clang-14 libclang-rt-14-dev clang-format
    wine wine32:i386 g++-mingw-w64-i686
    xvfb xauth imagemagick
    nlohmann-json3-dev libcairo2-dev fonts-wine
)

vx_log() { printf '==> %s\n' "$*"; }

vx_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# Installs those of the given packages that are missing, with the options
# that follow "--" given to apt-get install.
vx_install_missing() {
    export DEBIAN_FRONTEND=noninteractive
    local missing=() options=()
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        vx_installed "$1" || missing+=("$1")
        shift
    done
    [ $# -gt 0 ] && shift && options=("$@")
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    if [ "$(id -u)" -ne 0 ]; then
        echo "setup: missing packages (${missing[*]}); run as root to install them" >&2
        return 1
    fi
    # wine32 comes from the i386 architecture.
    if [ "$(dpkg --print-architecture)" != i386 ] &&
        ! dpkg --print-foreign-architectures | grep -qx i386; then
        vx_log "Enabling the i386 architecture for 32-bit Wine"
        dpkg --add-architecture i386
    fi
    vx_log "Updating the package lists"
    apt-get update -q
    vx_log "Installing: ${missing[*]} (this can take several minutes)"
    apt-get install -y -q "${options[@]}" "${missing[@]}"
}

vx_setup() {
    vx_install_missing "${VX_PACKAGES[@]}" || return 1
    vx_log "All required packages are installed"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    vx_setup
fi
