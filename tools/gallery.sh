#!/usr/bin/env bash
# The gallery of skinned controls, run by hand: one window with each skinned control in its
# states, on the user's display when one is reachable and on a virtual one otherwise.
#   tools/gallery.sh          in our skin
#   tools/gallery.sh NAME     in a test skin of the build tree (GALLERY, FLAT ...)
#   tools/gallery.sh FOLDER   in the skin of a folder
set -euo pipefail
REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$REPO/tools/setup.sh"

prepare_targets "gallery test_skins"

skin=${1:-}
if [ -z "$skin" ]; then
    skin="$REPO/assets/skins/Aluminium (internal)"
elif [ -d "$BUILD/skin/core/tests/testskins/$skin" ]; then
    skin="$BUILD/skin/core/tests/testskins/$skin"
fi
skin=$(cd "$skin" && pwd)

. "$REPO/tools/harness.sh"
trap harness_stop EXIT
harness_start any
"$WINE" "$BUILD/tools/gallery/gallery.exe" "Z:$skin"
