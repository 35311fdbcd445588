#!/usr/bin/env bash
# Installs what is missing on a Debian 12 machine, builds libjpeg-turbo for the
# Windows target from Debian's source package (once), then configures and builds
# the whole tree. Safe to run again: every step skips what is already done.
# Sourced (by the benchmark and gallery scripts), it only defines its steps.
set -euo pipefail

REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${ZIRV_BUILD:-$REPO/build}
export ZIRV_BUILD=$BUILD
THIRD=${ZIRV_THIRD_PARTY:-$BUILD/third_party}

PACKAGES=(cmake ninja-build python3 python3-pyftpdlib googletest
          mingw-w64 gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
          wine64 xvfb xauth x11-utils xdotool dpkg-dev fonts-nanum fonts-dejavu-core fonts-dejavu-extra)

log() { printf '== %s\n' "$*"; }

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

install_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    log "installing ${missing[*]}"
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

enable_source_packages() {
    local src=/etc/apt/sources.list.d/zirv-deb-src.sources
    [ -f "$src" ] && return 0
    log "enabling Debian source packages"
    local list=/etc/apt/sources.list.d/debian.sources
    if [ -f "$list" ]; then
        sed 's/^Types: deb$/Types: deb-src/' "$list" | as_root tee "$src" >/dev/null
    else
        grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | as_root tee "${src%.sources}.list" >/dev/null
        as_root touch "$src"
    fi
    as_root apt-get update -q
}

# The source of a Debian package into the current folder: the newest version whose source the
# archive carries (a listed version's files may be missing from it).
fetch_source() {
    apt-get source -q "$1" >/dev/null 2>&1 && return 0
    local version
    for version in $(apt-cache showsrc "$1" | sed -n 's/^Version: //p' | sort -rV); do
        apt-get source -q "$1=$version" >/dev/null 2>&1 && return 0
    done
    echo "setup: the archive carries no source of $1" >&2
    return 1
}

# Builds a Debian source package for the Windows target with CMake and installs it into a prefix:
# package, name pattern of its unpacked tree, prefix, then CMake options.
build_source_package() {
    local package=$1 pattern=$2 prefix=$3
    shift 3
    enable_source_packages
    log "building $package for the Windows target"
    local src=$prefix.src
    rm -rf "$src" && mkdir -p "$src"
    (cd "$src" && fetch_source "$package")
    local tree
    tree=$(find "$src" -maxdepth 1 -mindepth 1 -type d -name "$pattern" | head -n 1)
    cmake -S "$tree" -B "$src/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$REPO/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_CROSSCOMPILING_EMULATOR= -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >/dev/null
    cmake --build "$src/build" >/dev/null
    cmake --install "$src/build" >/dev/null
    rm -rf "$src"
}

build_libjpeg() {
    local prefix=$THIRD/libjpeg
    [ -f "$prefix/lib/libjpeg.a" ] && return 0
    build_source_package libjpeg-turbo 'libjpeg-turbo-*' "$prefix" -DCMAKE_BUILD_TYPE=Release \
        -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF
}

# Extra arguments go to CMake's configuration.
configure_tree() {
    log "configuring"
    cmake -S "$REPO" -B "$BUILD" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$REPO/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE="${ZIRV_BUILD_TYPE:-RelWithDebInfo}" \
        -DJPEG_PREFIX="$THIRD/libjpeg" -DPython3_EXECUTABLE=/usr/bin/python3 "$@" >/dev/null
}

build_targets() {
    log "building"
    # ZIRV_TARGETS narrows the build to some targets (a developer working on one unit).
    cmake --build "$BUILD" ${ZIRV_TARGETS:+--target $ZIRV_TARGETS}
}

configure_and_build() {
    configure_tree "$@"
    build_targets
}

# What a tool needs before it runs: the packages, libjpeg and the given targets (all when empty);
# extra arguments go to CMake's configuration.
prepare_targets() {
    local targets=$1
    shift
    install_packages
    build_libjpeg
    ZIRV_TARGETS="$targets" configure_and_build "$@"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    prepare_targets "${ZIRV_TARGETS:-}"
fi
