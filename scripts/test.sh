#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the
# portable core natively with sanitizers, then the Windows tests and the
# end-to-end tests of corvane.exe under Wine.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$ROOT"
trap cleanup EXIT

install_packages
build_core
log "Core tests"
ctest --test-dir "$CORE_DIR" --output-on-failure -j "$JOBS"

build_mingw
ensure_display
ensure_wineprefix
start_wine
log "Windows and end-to-end tests under Wine"
ctest --test-dir "$MINGW_DIR" --output-on-failure
