#!/usr/bin/env bash
# The packed skin loading benchmark, run by hand (not by CI): our skin packed, then loaded from the
# internal skin and from a packed skin file under Wine. Times are medians over repeated loads; run
# it on a quiet machine. Extra arguments go to the benchmark (--runs N).
set -euo pipefail
REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$REPO/tools/setup.sh"

prepare_targets skin_bench

. "$REPO/tools/harness.sh"
trap harness_stop EXIT
harness_start
log "load before the run: $(cut -d' ' -f1-3 /proc/loadavg)"
"$WINE" "$BUILD/tools/skinbench/skin_bench.exe" "Z:$REPO/assets/skins/Aluminium (internal)" "$@"
