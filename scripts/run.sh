#!/usr/bin/env bash
# Installs what is missing, builds corvane.exe and starts it under Wine on the
# current display, or on a virtual one (then a screenshot is saved).
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$ROOT"
trap cleanup EXIT

install_packages
build_mingw
virtual=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    virtual=1
fi
ensure_display
ensure_wineprefix
start_wine

log "Starting Corvane on $DISPLAY"
# Wine and its audio driver talk a lot on stderr (ALSA complaints on machines
# without a sound card); it goes to a log, and only a failure points there.
wine_log="$ROOT/build/${TAG}run-wine.log"
wine "$MINGW_DIR/corvane.exe" >"$wine_log" 2>&1 &
corvane=$!
echo "Wine's messages: $wine_log"
ended_early() {
    local code=0
    wait "$corvane" || code=$?
    echo "corvane.exe ended early (exit code $code); see $wine_log" >&2
    exit 1
}
if [ "$virtual" -eq 1 ]; then
    sleep "${CORVANE_SCREENSHOT_DELAY:-6}"
    kill -0 "$corvane" 2>/dev/null || ended_early
    import -window root "$ROOT/build/screenshot.png"
    echo "Screenshot: $ROOT/build/screenshot.png"
    kill "$corvane" >/dev/null 2>&1 || true
else
    echo "Corvane runs; its settings are in $MINGW_DIR/corvane.ini. Press Ctrl+C to stop it."
    code=0
    wait "$corvane" || code=$?
    if [ "$code" -ne 0 ]; then
        echo "corvane.exe ended with exit code $code; see $wine_log" >&2
        exit "$code"
    fi
fi
