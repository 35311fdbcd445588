#!/usr/bin/env bash
# Installs what is missing, builds, and talks to a simulated detector line:
# the simulator plays the line on COM$ZIRV_DEMO_COM (default 5) with one
# detector, the port is listed in the Wine registry like a real one, and
# linecheck opens it and asks the detector for its device type.
set -euo pipefail
REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${ZIRV_BUILD:-$REPO/build}
export ZIRV_BUILD=$BUILD
export ZIRV_TARGETS=${ZIRV_TARGETS:-linecheck}
COM=${ZIRV_DEMO_COM:-5}
DETECTOR=${ZIRV_DEMO_DETECTOR:-1:16}
PORTS_KEY='HKLM\Hardware\DeviceMap\SerialComm'
PORT_VALUE=ZirvaneSimulator

"$REPO/tools/setup.sh"

. "$REPO/tools/harness.sh"
SIM_PID=
SIM_LOG=$BUILD/run-detsim.log

stop_all() {
    if [ -n "$SIM_PID" ]; then
        kill "$SIM_PID" 2>/dev/null || true
        for _ in $(seq 1 50); do kill -0 "$SIM_PID" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$SIM_PID" 2>/dev/null || true
        wait "$SIM_PID" 2>/dev/null || true
    fi
    timeout 60 "$WINE" reg delete "$PORTS_KEY" /v "$PORT_VALUE" /f </dev/null >/dev/null 2>&1 || true
    harness_stop
}
trap stop_all EXIT
harness_start

echo "== simulated line on COM$COM, detector $DETECTOR"
/usr/bin/python3 "$REPO/tools/detsim/detsim.py" line --com "$COM" --detector "$DETECTOR" \
    </dev/null >"$SIM_LOG" 2>&1 &
SIM_PID=$!
for _ in $(seq 1 100); do
    grep -q '^detsim: ready' "$SIM_LOG" && break
    kill -0 "$SIM_PID" 2>/dev/null || break
    sleep 0.1
done
if ! grep -q '^detsim: ready' "$SIM_LOG"; then
    cat "$SIM_LOG" >&2
    echo "run: the simulator did not start" >&2
    exit 1
fi
harness_reg "$PORTS_KEY" "$PORT_VALUE" REG_SZ "COM$COM" || echo "run: COM$COM is not listed among the serial ports" >&2

echo "== linecheck COM$COM"
status=0
timeout 60 "$WINE" "$BUILD/tools/linecheck/linecheck.exe" "COM$COM" "${DETECTOR%%:*}" </dev/null || status=$?

echo "== what the simulator saw"
cat "$SIM_LOG"
exit "$status"
