#!/usr/bin/env bash
# Sets up what is missing, builds, and runs every test under Wine on a virtual
# display of its own (never on the user's desktop). Extra arguments go to ctest,
# e.g. tools/test.sh -R link. At the end it prints how long the set-up (packages,
# libjpeg, CMake, the Wine prefix and the display), the build and the tests took.
set -euo pipefail
REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$REPO/tools/setup.sh"
. "$REPO/tools/harness.sh"

minutes() { printf '%d min %02d s' $(($1 / 60)) $(($1 % 60)); }

began=$SECONDS
install_packages
build_libjpeg
configure_tree
setup=$((SECONDS - began))

began=$SECONDS
build_targets
build=$((SECONDS - began))

trap harness_stop EXIT
began=$SECONDS
harness_start own
setup=$((setup + SECONDS - began))

began=$SECONDS
status=0
(cd "$BUILD" && ctest --output-on-failure --timeout 300 -j "${ZIRV_TEST_JOBS:-$(nproc)}" "$@") || status=$?
log "set-up $(minutes "$setup"), build $(minutes "$build"), tests $(minutes $((SECONDS - began)))"
exit "$status"
