#!/usr/bin/env bash
# Installs what is missing, builds, and runs the tool on a simulated detector
# line: the simulator plays the line on COM$ZIRV_DEMO_COM (default 5) with one
# detector, the port is listed in the Wine registry like a real one, and the
# program runs under Wine in a run folder of the build tree (its pictures, its
# sound and, once a language is chosen, its Settings.ini).
#
# With a display, the program's window opens there and the command ends when it
# is closed. Without one (a server, a container), the program runs on a virtual
# display and takes a scripted tour from a first launch: the language choice,
# the search, the wizard question, the monitoring view with live values and,
# at its next start, the wizard's first step. A PNG picture of each view lands
# in the build tree's tour/ folder; the command prints their paths and ends by
# itself.
set -euo pipefail
REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${ZIRV_BUILD:-$REPO/build}
export ZIRV_BUILD=$BUILD
export ZIRV_TARGETS=${ZIRV_TARGETS:-ZirvaneConfig tour}
COM=${ZIRV_DEMO_COM:-5}
DETECTOR=${ZIRV_DEMO_DETECTOR:-1:16}
PORTS_KEY='HKLM\Hardware\DeviceMap\SerialComm'
PORT_VALUE=ZirvaneSimulator

"$REPO/tools/setup.sh"

. "$REPO/tools/harness.sh"
SIM_PID=
SIM_LOG=$BUILD/run-detsim.log
RUN_DIR=$BUILD/run
TOUR_DIR=$BUILD/tour
PROGRAM=$BUILD/mainwindow/ZirvaneConfig.exe

stop_line() {
    [ -n "$SIM_PID" ] || return 0
    kill "$SIM_PID" 2>/dev/null || true
    for _ in $(seq 1 50); do kill -0 "$SIM_PID" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$SIM_PID" 2>/dev/null || true
    wait "$SIM_PID" 2>/dev/null || true
    SIM_PID=
}

# The simulated line, in a process of its own; started again, its detector starts afresh, as
# after its power was switched off and on.
start_line() {
    stop_line
    echo "== simulated line on COM$COM, detector $DETECTOR"
    local logged
    logged=$(wc -l <"$SIM_LOG")
    /usr/bin/python3 "$REPO/tools/detsim/detsim.py" line --com "$COM" --detector "$DETECTOR" \
        </dev/null >>"$SIM_LOG" 2>&1 &
    SIM_PID=$!
    for _ in $(seq 1 100); do
        tail -n "+$((logged + 1))" "$SIM_LOG" | grep -q '^detsim: ready' && return 0
        kill -0 "$SIM_PID" 2>/dev/null || break
        sleep 0.1
    done
    cat "$SIM_LOG" >&2
    echo "run: the simulator did not start" >&2
    return 1
}

stop_all() {
    stop_line
    timeout 60 "$WINE" reg delete "$PORTS_KEY" /v "$PORT_VALUE" /f </dev/null >/dev/null 2>&1 || true
    harness_stop
}

# A Unix path as the Windows programs see it: Wine's drive Z: is the root.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# One part of the tour (tools/tour/tour.cpp); its pictures go to the tour folder.
tour() {
    timeout 900 "$WINE" "$BUILD/tools/tour.exe" "$1" "$(windows_path "$PROGRAM")" "$(windows_path "$RUN_DIR")" \
        "$(windows_path "$TOUR_DIR")" </dev/null >/dev/null
}

trap stop_all EXIT
# Decided before the harness starts a virtual display of its own.
WITH_DISPLAY=
harness_display_reachable && WITH_DISPLAY=1
harness_start any

: >"$SIM_LOG"
start_line
harness_reg "$PORTS_KEY" "$PORT_VALUE" REG_SZ "COM$COM" || echo "run: COM$COM is not listed among the serial ports" >&2

echo "== the program's files in $RUN_DIR"
mkdir -p "$RUN_DIR"
rm -rf "$RUN_DIR/image"
cp -r "$REPO/assets/image" "$RUN_DIR/image"
cp "$REPO/assets/Alarm1.wav" "$RUN_DIR/"

status=0
if [ -n "$WITH_DISPLAY" ]; then
    echo "== ZirvaneConfig on display $DISPLAY: close its window to end"
    (cd "$RUN_DIR" && "$WINE" "$PROGRAM" </dev/null) || status=$?
else
    echo "== no display: a tour of the program on the virtual display $DISPLAY"
    rm -f "$RUN_DIR/Settings.ini"
    rm -rf "$TOUR_DIR"
    mkdir -p "$TOUR_DIR"
    tour first-launch || status=$?
    if [ "$status" -eq 0 ]; then
        start_line
        tour next-start || status=$?
    fi
    echo "== pictures of the views"
    for picture in "$TOUR_DIR"/*.png; do
        [ -e "$picture" ] && echo "$picture"
    done
    [ "$status" -eq 0 ] || echo "run: the tour stopped early (failed.png shows the screen then)" >&2
fi

echo "== what the simulator saw"
cat "$SIM_LOG"
exit "$status"
