#!/usr/bin/env bash
# A bounded fuzz run of the PNG reader or the zlib streams on the host (clang, libFuzzer,
# AddressSanitizer). Not part of the build or of CI.
#   tools/fuzz/fuzz.sh png|zlib [seconds] [workers]
# Findings land in the work folder (default /tmp/zirv-fuzz) as crash-* files; replay one with
# "$WORK/<target>_fuzz <file>".
set -euo pipefail
REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
TARGET=${1:?png or zlib}
SECONDS_TOTAL=${2:-60}
WORKERS=${3:-4}
WORK=${ZIRV_FUZZ_WORK:-/tmp/zirv-fuzz}
mkdir -p "$WORK/$TARGET-corpus" "$WORK/$TARGET-seeds"

CORE=("$REPO/skin/graphics/acPNGReader.cpp" "$REPO/skin/graphics/acPNGFilters.cpp" "$REPO/skin/graphics/acColorManager.cpp")
DEFINE=()
if [ "$TARGET" = zlib ]; then
    CORE=("$REPO/skin/graphics/acZLibCore.cpp")
    DEFINE=(-DFUZZ_ZLIB)
    python3 -c "import sys, zlib; open(sys.argv[1], 'wb').write(b'\x02\x03\x04\x07' + zlib.compress(b'skin ' * 999) + b'next')" \
        "$WORK/zlib-seeds/entry"
else
    python3 "$REPO/tools/pnggen/pnggen.py" --out "$WORK/png-gen"
    cp "$WORK"/png-gen/*.png "$WORK/png-seeds/"
fi
clang++-14 -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined "${DEFINE[@]}" \
    -I"$REPO" "$REPO/tools/fuzz/fuzz.cpp" "${CORE[@]}" -lz -o "$WORK/${TARGET}_fuzz"
cd "$WORK"
"./${TARGET}_fuzz" -max_total_time="$SECONDS_TOTAL" -jobs="$WORKERS" -workers="$WORKERS" -max_len=300000 \
    -rss_limit_mb=4096 -timeout=10 "$TARGET-corpus" "$TARGET-seeds"
