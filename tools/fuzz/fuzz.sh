#!/usr/bin/env bash
# A bounded fuzz run on the host (clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# of one of the cores that read outside input: the PNG reader, the zlib streams, the packed-skin
# reader or the skin options loader. Not part of the build or of CI.
#   tools/fuzz/fuzz.sh png|zlib|pack|options [seconds] [workers]
# Findings land in the work folder (default /tmp/zirv-fuzz) as crash-*, leak-*, timeout-* or oom-*
# files; replay one with "$WORK/<target>_fuzz <file>".
set -euo pipefail
REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
TARGET=${1:?png, zlib, pack or options}
SECONDS_TOTAL=${2:-60}
WORKERS=${3:-4}
WORK=${ZIRV_FUZZ_WORK:-/tmp/zirv-fuzz}
mkdir -p "$WORK/$TARGET-corpus" "$WORK/$TARGET-seeds"

SOURCE="$REPO/tools/fuzz/fuzz.cpp"
DEFINE=()
case "$TARGET" in
png)
    CORE=("$REPO/skin/graphics/acPNGReader.cpp" "$REPO/skin/graphics/acPNGFilters.cpp" "$REPO/skin/graphics/acColorManager.cpp")
    python3 "$REPO/tools/pnggen/pnggen.py" --out "$WORK/png-gen"
    cp "$WORK"/png-gen/*.png "$WORK/png-seeds/"
    ;;
zlib)
    CORE=("$REPO/skin/graphics/acZLibCore.cpp")
    DEFINE=(-DFUZZ_ZLIB)
    python3 -c "import sys, zlib; open(sys.argv[1], 'wb').write(b'\x02\x03\x04\x07' + zlib.compress(b'skin ' * 999) + b'next')" \
        "$WORK/zlib-seeds/entry"
    ;;
pack)
    SOURCE="$REPO/tools/fuzz/fuzz_pack.cpp"
    CORE=("$REPO/skin/core/acSkinPackCore.cpp" "$REPO/skin/graphics/acZLibCore.cpp")
    python3 "$REPO/tools/fuzz/skinseeds.py" pack "$WORK/pack-seeds"
    ;;
options)
    SOURCE="$REPO/tools/fuzz/fuzz_options.cpp"
    CORE=("$REPO/skin/core/acSkinOptions.cpp" "$REPO/vcl/initext.cpp")
    python3 "$REPO/tools/fuzz/skinseeds.py" options "$WORK/options-seeds"
    ;;
*)
    echo "fuzz.sh: no target $TARGET (png, zlib, pack or options)" >&2
    exit 2
    ;;
esac
clang++-14 -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined "${DEFINE[@]}" \
    -I"$REPO" "$SOURCE" "${CORE[@]}" -lz -o "$WORK/${TARGET}_fuzz"
cd "$WORK"
"./${TARGET}_fuzz" -max_total_time="$SECONDS_TOTAL" -jobs="$WORKERS" -workers="$WORKERS" -max_len=300000 \
    -rss_limit_mb=4096 -timeout=10 "$TARGET-corpus" "$TARGET-seeds"
