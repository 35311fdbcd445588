#!/usr/bin/env bash
# The PNG decoding benchmark, run by hand (not by CI): our reader against libpng on the same
# in-memory files, made by the corpus generator. The first run builds libpng for the Windows
# target from Debian's source package into the build tree. Times are medians over repeated runs;
# run it on a quiet machine. Extra arguments go to the benchmark (--runs N).
set -euo pipefail
REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$REPO/tools/setup.sh"

LIBPNG=$BUILD/third_party/libpng
FILES=$BUILD/pngbench

build_libpng() {
    [ -f "$LIBPNG/include/png.h" ] && return 0
    # The same optimisation as our own code, so that the comparison is between the decoders.
    build_source_package libpng1.6 'libpng1.6-*' "$LIBPNG" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF
}

make_files() {
    local generator=$REPO/tools/pnggen/pnggen.py
    [ -f "$FILES/bench.txt" ] && [ "$FILES/bench.txt" -nt "$generator" ] && return 0
    log "writing the benchmark's files (about a minute)"
    rm -rf "$FILES" "$FILES.new"
    python3 "$generator" --bench --out "$FILES.new"
    mv "$FILES.new" "$FILES"
}

install_packages
build_libjpeg
build_libpng
ZIRV_TARGETS=png_bench configure_and_build -DLIBPNG_PREFIX="$LIBPNG"
make_files

. "$REPO/tools/harness.sh"
trap harness_stop EXIT
harness_start
log "load before the run: $(cut -d' ' -f1-3 /proc/loadavg)"
(cd "$FILES" && "$WINE" "$BUILD/tools/bench/png_bench.exe" "$@")
