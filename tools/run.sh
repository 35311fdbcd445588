#!/usr/bin/env bash
# Installs what is missing, builds, and runs the tool on a simulated detector
# line: the simulator plays the line on COM$ZIRV_DEMO_COM (default 5) with one
# detector, the port is listed in the Wine registry like a real one, and the
# program runs under Wine in a run folder of the build tree (its pictures, its
# sound and, once a language is chosen, its Settings.ini) until its window is
# closed.
set -euo pipefail
REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${ZIRV_BUILD:-$REPO/build}
export ZIRV_BUILD=$BUILD
export ZIRV_TARGETS=${ZIRV_TARGETS:-ZirvaneConfig}
COM=${ZIRV_DEMO_COM:-5}
DETECTOR=${ZIRV_DEMO_DETECTOR:-1:16}
PORTS_KEY='HKLM\Hardware\DeviceMap\SerialComm'
PORT_VALUE=ZirvaneSimulator

"$REPO/tools/setup.sh"

. "$REPO/tools/harness.sh"
SIM_PID=
SIM_LOG=$BUILD/run-detsim.log
RUN_DIR=$BUILD/run

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
harness_start any

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

echo "== the program's files in $RUN_DIR"
mkdir -p "$RUN_DIR"
rm -rf "$RUN_DIR/image"
cp -r "$REPO/assets/image" "$RUN_DIR/image"
cp "$REPO/assets/Alarm1.wav" "$RUN_DIR/"

echo "== ZirvaneConfig on display $DISPLAY: close its window to end"
status=0
(cd "$RUN_DIR" && "$WINE" "$BUILD/mainwindow/ZirvaneConfig.exe" </dev/null) || status=$?

echo "== what the simulator saw"
cat "$SIM_LOG"
exit "$status"
