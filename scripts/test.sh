#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the
# portable core natively with sanitizers, then the Windows tests and the
# end-to-end tests of corvane.exe under Wine.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$ROOT"
trap cleanup EXIT

install_packages
build_core
# The layer check runs among the core tests.
log "Formatting"
git ls-files -z 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' |
    xargs -0 clang-format --dry-run --Werror
log "Core tests"
ctest --test-dir "$CORE_DIR" --output-on-failure -j "$JOBS"
# The benchmarks are only built here (bench.sh runs them): they share the
# tests' fakes, and a fake that changes must not leave them behind.
log "Building the core benchmarks"
cmake --preset bench -B "$ROOT/build/${TAG}bench" >/dev/null
cmake --build "$ROOT/build/${TAG}bench" -j "$JOBS" >"$ROOT/build/${TAG}bench-build.log" 2>&1 ||
    { tail -n 40 "$ROOT/build/${TAG}bench-build.log"; exit 1; }

# A second compiler: every Windows source (product, tests, benchmarks)
# compiled by clang for mingw-w64 with the project's warnings as errors;
# nothing links. It catches GCC-only code before MSVC does.
CLANG_DIR="$ROOT/build/${TAG}clang-mingw"
log "Windows sources under clang (compile only)"
mkdir -p "$CLANG_DIR"
if ! { cmake --preset clang-mingw -B "$CLANG_DIR" -DCMAKE_C_COMPILER_LAUNCHER=ccache \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache && CCACHE_BASEDIR="$ROOT" cmake --build "$CLANG_DIR" -j "$JOBS"; } \
    >"$CLANG_DIR/build.log" 2>&1; then
    grep -E -A3 'error|warning' "$CLANG_DIR/build.log" | head -n 60 || tail -n 40 "$CLANG_DIR/build.log"
    echo "clang rejected the Windows sources; the log is $CLANG_DIR/build.log" >&2
    exit 1
fi
# The Windows CI workflow cannot run here: it must parse and name only
# presets, targets and programs that exist.
log "The Windows workflow"
/usr/bin/python3 "$ROOT/scripts/check-workflow.py"

# Bounded libFuzzer runs over the portable core; a crash, leak or hang
# fails the script. The fuzz tree is built once; each run's output goes to a
# log that is shown only on failure.
FUZZ_DIR="$ROOT/build/${TAG}fuzz"
build_fuzz() {
    log "Building the fuzzers"
    mkdir -p "$FUZZ_DIR"
    if ! { cmake --preset fuzz -B "$FUZZ_DIR" && cmake --build "$FUZZ_DIR" -j "$JOBS"; } >"$FUZZ_DIR/build.log" 2>&1; then
        tail -n 40 "$FUZZ_DIR/build.log"
        return 1
    fi
}

# run_fuzzer <name> <seconds> <seed folder> [libFuzzer options...]
run_fuzzer() {
    local name="$1" seconds="$2" seeds="$3"
    shift 3
    local corpus="$FUZZ_DIR/corpus-$name" log="$FUZZ_DIR/fuzz-$name.log"
    log "Fuzzing: $name (${seconds} s)"
    mkdir -p "$corpus"
    if ! timeout $((seconds + 120)) "$FUZZ_DIR/corvane_${name}_fuzz" -max_total_time="$seconds" \
        -timeout=5 -rss_limit_mb=2048 -artifact_prefix="$FUZZ_DIR/$name-" "$@" \
        "$corpus" "$seeds" >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "The fuzzer found a fault (or hung); inputs are in $FUZZ_DIR, the log is $log" >&2
        return 1
    fi
    grep -E '^Done [0-9]+ runs' "$log" || true
}

build_fuzz
# The menus.txt parser, seeded with both built-in texts.
run_fuzzer menus 30 "$FUZZ_DIR/fuzz/seeds" -dict="$FUZZ_DIR/fuzz/menus.dict"
# The tray host's icon list under hostile notification messages.
run_fuzzer tray 20 "$ROOT/fuzz/tray-seeds"
# garden.ini as the user may leave it, loaded, saved and loaded again.
run_fuzzer garden 20 "$ROOT/fuzz/garden-seeds"

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

# The bar, the dock and its previews, CorMenu, CorLauncher, the garden beds and the settings window again at 144 DPI: placement and screenshots.
if ctest --test-dir "$MINGW_DIR" -N -R 'BarScreenshot|DockScreenshot|CorMenuInTheme|GardenScreenshot|SettingsScreenshot' | grep -q 'Total Tests: [1-9]'; then
    log "End-to-end at 144 DPI"
    set_wine_dpi 144
    start_wine
    ctest --test-dir "$MINGW_DIR" --output-on-failure \
        -R 'BarScreenshot|EachStyleStandsAtTheTop|DockScreenshot|DockE2E.FirstRun|CorMenuInTheme|LauncherInTheme|DockPreviewScreenshot|GardenScreenshot|SettingsScreenshot' || status=1
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

# The zip users download, packed twice from the exe built above: exactly its
# three files, the same bytes both times, and its exe starting under Wine.
log "Release package"
"$ROOT/scripts/check-package.sh" || status=1

echo "Screenshots: $ROOT/build/screenshots"
exit "$status"
