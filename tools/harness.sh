# Sourced by the run and test commands: a Wine prefix inside the build tree,
# a display, and one persistent wineserver whose standard streams are detached
# (otherwise Wine's background processes keep ctest's pipes open for ever).
# Every wait is bounded. The test executables run through tools/wine-run, which
# refuses to run them outside this harness (ZIRV_HARNESS_DISPLAY names the
# display the harness gave them).

: "${BUILD:?BUILD must name the build tree}"
export WINEPREFIX=$BUILD/wineprefix
export WINEDEBUG=-all
export WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml="
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
HARNESS_XVFB_PID=

harness_reg() {  # key name type data
    timeout 60 "$WINE" reg add "$1" /v "$2" /t "$3" /d "$4" /f </dev/null >/dev/null 2>&1
}

harness_display_reachable() {
    [ -n "${DISPLAY:-}" ] && timeout 5 xdpyinfo >/dev/null 2>&1
}

# While a display offers no X resources, the X library reads its resource files anew on every
# look-up, and Wine looks up two on every font selection, so every paint of a text paid for two
# file searches. A desktop offers resources; our virtual display gets a file with one of its own.
harness_x_resources() {
    printf 'zirv.harness: virtual display\n' > "$BUILD/xresources"
    export XENVIRONMENT=$BUILD/xresources
}

# A virtual display of our own (Xvfb) on the first free display number.
harness_start_xvfb() {
    harness_x_resources
    local n
    for n in $(seq 90 120); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
        HARNESS_XVFB_PID=$!
        export DISPLAY=":$n"
        local i
        for i in $(seq 1 50); do
            # Another build may have taken the number a moment before: then ours has ended.
            kill -0 "$HARNESS_XVFB_PID" 2>/dev/null || break
            timeout 2 xdpyinfo >/dev/null 2>&1 && return 0
            sleep 0.1
        done
        kill "$HARNESS_XVFB_PID" 2>/dev/null || true
        HARNESS_XVFB_PID=
    done
    echo "harness: could not start Xvfb" >&2
    return 1
}

# Bump when the prefix settings below change, so existing prefixes are made anew.
HARNESS_PREFIX_VERSION=4

# The window's Tahoma and Verdana are not installed. They draw in DejaVu Sans Condensed and DejaVu
# Sans, of like proportions, which have the Latin, Cyrillic and Greek letters of every interface
# language; each of their faces takes the Hangul it lacks from NanumGothic through font linking,
# which Wine keys by the full face name.
harness_fonts() {
    local nt='HKLM\Software\Microsoft\Windows NT\CurrentVersion'
    harness_reg "$nt\FontSubstitutes" Tahoma REG_SZ "DejaVu Sans Condensed"
    harness_reg "$nt\FontSubstitutes" Verdana REG_SZ "DejaVu Sans"
    local family style
    for family in "DejaVu Sans" "DejaVu Sans Condensed"; do
        for style in "" " Oblique"; do
            harness_reg "$nt\FontLink\SystemLink" "$family$style" REG_MULTI_SZ "NanumGothic.ttf,NanumGothic"
            harness_reg "$nt\FontLink\SystemLink" "$family Bold$style" REG_MULTI_SZ "NanumGothicBold.ttf,NanumGothic"
        done
    done
}

harness_create_prefix() {
    [ "$(cat "$WINEPREFIX/.zirv-ready" 2>/dev/null)" = "$HARNESS_PREFIX_VERSION" ] && return 0
    echo "== creating the Wine prefix (once)"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    timeout 300 "$WINE" wineboot -i </dev/null >/dev/null 2>&1 || true
    timeout 60 "$WINESERVER" -w </dev/null >/dev/null 2>&1 || true
    # Wine draws frames itself when no window manager runs, and does not wait for one
    # whenever a window is hidden; stable metrics for tests.
    harness_reg 'HKCU\Software\Wine\X11 Driver' Decorated REG_SZ N
    harness_reg 'HKCU\Software\Wine\X11 Driver' Managed REG_SZ N
    harness_reg 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD 96
    harness_reg 'HKCU\Control Panel\Desktop' FontSmoothing REG_SZ 0
    harness_fonts
    # Program files are of the type whose icon is the file's own, as on Windows: the shell then
    # gives a program its own icon rather than the default one.
    timeout 60 "$WINE" reg add 'HKCR\.exe' /ve /t REG_SZ /d exefile /f </dev/null >/dev/null 2>&1
    timeout 60 "$WINESERVER" -w </dev/null >/dev/null 2>&1 || true
    [ -d "$WINEPREFIX/drive_c" ] || { echo "harness: wineboot failed" >&2; return 1; }
    echo "$HARNESS_PREFIX_VERSION" > "$WINEPREFIX/.zirv-ready"
}

# harness_start [own|any]: "own" always runs on a virtual display of its own (the
# tests: never on the user's desktop); "any" uses the user's display when one is
# reachable and a virtual one otherwise.
harness_start() {
    if [ "${1:-own}" = own ] || ! harness_display_reachable; then
        harness_start_xvfb
    fi
    export ZIRV_HARNESS_DISPLAY=$DISPLAY
    harness_create_prefix
    # A server the build's tools left in this prefix ends by itself a few seconds after its last
    # client, and a test starting just then fails without a word: replace it by a persistent one.
    timeout 30 "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
    timeout 30 "$WINESERVER" -w </dev/null >/dev/null 2>&1 || true
    "$WINESERVER" -p </dev/null >/dev/null 2>&1 &
    # Warm the server so that the first test does not pay Wine's start-up.
    timeout 60 "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

harness_stop() {
    timeout 30 "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
    if [ -n "$HARNESS_XVFB_PID" ]; then
        kill "$HARNESS_XVFB_PID" 2>/dev/null || true
        wait "$HARNESS_XVFB_PID" 2>/dev/null || true
    fi
}
