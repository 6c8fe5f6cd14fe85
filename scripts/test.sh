#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the
# portable core natively with sanitizers, then the Windows tests and the
# end-to-end tests of corvane.exe under Wine.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$ROOT"
trap cleanup EXIT

install_packages
build_core
log "Include direction and formatting"
"$ROOT/scripts/check-layers.sh"
git ls-files -z 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' |
    xargs -0 clang-format --dry-run --Werror
log "Core tests"
ctest --test-dir "$CORE_DIR" --output-on-failure -j "$JOBS"

# A bounded libFuzzer run over the menus.txt parser, seeded with both
# built-in texts; a crash, leak or hang fails the script. Its output goes
# to a log that is shown only on failure.
fuzz_menus_parser() {
    local dir="$ROOT/build/${TAG}fuzz"
    log "Fuzzing the menus.txt parser (30 s)"
    mkdir -p "$dir"
    if ! { cmake --preset fuzz -B "$dir" && cmake --build "$dir" -j "$JOBS"; } >"$dir/build.log" 2>&1; then
        tail -n 40 "$dir/build.log"
        return 1
    fi
    mkdir -p "$dir/corpus"
    if ! timeout 150 "$dir/corvane_menus_fuzz" -max_total_time=30 -timeout=5 -rss_limit_mb=2048 \
        -dict="$dir/fuzz/menus.dict" -artifact_prefix="$dir/" \
        "$dir/corpus" "$dir/fuzz/seeds" >"$dir/fuzz.log" 2>&1; then
        tail -n 40 "$dir/fuzz.log"
        echo "The fuzzer found a fault (or hung); inputs are in $dir, the log is $dir/fuzz.log" >&2
        return 1
    fi
    grep -E '^Done [0-9]+ runs' "$dir/fuzz.log" || true
}
fuzz_menus_parser

build_mingw
ensure_display
ensure_wineprefix
start_wine
mkdir -p "$ROOT/build/screenshots"
CORVANE_SCREENSHOTS="$(winepath -w "$ROOT/build/screenshots" 2>/dev/null)"
export CORVANE_SCREENSHOTS
status=0

log "Windows and end-to-end tests under Wine"
ctest --test-dir "$MINGW_DIR" --output-on-failure -E 'DualDisplay' || status=1

# The bar again at 144 DPI: placement and screenshots.
if ctest --test-dir "$MINGW_DIR" -N -R 'BarScreenshot' | grep -q 'Total Tests: [1-9]'; then
    log "End-to-end at 144 DPI"
    set_wine_dpi 144
    start_wine
    ctest --test-dir "$MINGW_DIR" --output-on-failure -R 'BarScreenshot|EachStyleStandsAtTheTop' || status=1
    set_wine_dpi 96
fi

# Two displays side by side need a real X server with two dummy screens.
if ctest --test-dir "$MINGW_DIR" -N -R 'DualDisplay' | grep -q 'Total Tests: [1-9]'; then
    log "End-to-end on two displays"
    start_dual_display
    wineserver -k >/dev/null 2>&1 || true
    DISPLAY="$DUAL_DISPLAY" start_wine
    DISPLAY="$DUAL_DISPLAY" CORVANE_REQUIRE_DUAL=1 \
        ctest --test-dir "$MINGW_DIR" --output-on-failure -R 'DualDisplay' || status=1
fi

echo "Screenshots: $ROOT/build/screenshots"
exit "$status"
