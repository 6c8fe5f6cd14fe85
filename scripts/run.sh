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
wine "$MINGW_DIR/corvane.exe" &
corvane=$!
if [ "$virtual" -eq 1 ]; then
    sleep "${CORVANE_SCREENSHOT_DELAY:-6}"
    import -window root "$ROOT/build/screenshot.png"
    echo "Screenshot: $ROOT/build/screenshot.png"
    kill "$corvane" >/dev/null 2>&1 || true
else
    echo "Corvane runs; its settings are in $MINGW_DIR/corvane.ini. Press Ctrl+C to stop it."
    wait "$corvane" || true
fi
