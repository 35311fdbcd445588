#!/usr/bin/env bash
# Sets up what is missing, builds, and runs every test under Wine on a virtual
# display of its own (never on the user's desktop). Extra arguments go to ctest,
# e.g. tools/test.sh -R link
set -euo pipefail
REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${ZIRV_BUILD:-$REPO/build}
export ZIRV_BUILD=$BUILD

"$REPO/tools/setup.sh"

. "$REPO/tools/harness.sh"
trap harness_stop EXIT
harness_start own

cd "$BUILD"
ctest --output-on-failure --timeout 300 -j "${ZIRV_TEST_JOBS:-$(nproc)}" "$@"
