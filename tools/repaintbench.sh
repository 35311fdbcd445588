#!/usr/bin/env bash
# The main window repaint benchmark, run by hand (not by CI): the main window in English with its
# monitoring view, in our skin, repainted whole again and again from warm caches under Wine. Times
# are medians over repeated repaints; run it on a quiet machine. Extra arguments go to the
# benchmark (--runs N).
set -euo pipefail
REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$REPO/tools/setup.sh"

prepare_targets repaint_bench

. "$REPO/tools/harness.sh"
trap harness_stop EXIT
harness_start
log "load before the run: $(cut -d' ' -f1-3 /proc/loadavg)"
"$WINE" "$BUILD/tools/repaintbench/repaint_bench.exe" "Z:$REPO/assets" "$@"
