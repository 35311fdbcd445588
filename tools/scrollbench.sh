#!/usr/bin/env bash
# The skinned scroll-bar painting benchmark, run by hand (not by CI): both bars of a window in our
# skin painted again and again under Wine. Times are medians over repeated paints; run it on a
# quiet machine. Extra arguments go to the benchmark (--runs N).
set -euo pipefail
REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$REPO/tools/setup.sh"

prepare_targets scroll_bench

. "$REPO/tools/harness.sh"
trap harness_stop EXIT
harness_start
log "load before the run: $(cut -d' ' -f1-3 /proc/loadavg)"
"$WINE" "$BUILD/tools/scrollbench/scroll_bench.exe" "Z:$REPO/assets/skins/Aluminium (internal)" "$@"
