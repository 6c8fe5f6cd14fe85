#!/usr/bin/env bash
# Figures for docs/performance.md: the core benchmarks (native, optimised) and
# corvane.exe's start-up time and working set under Wine next to a minimal
# window program.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$ROOT"
trap cleanup EXIT

install_packages
log "Core benchmarks"
cmake --preset bench >/dev/null
cmake --build --preset bench -j "$JOBS"
./build/bench/corvane_bench --benchmark_min_time=0.2

build_mingw
ensure_display
ensure_wineprefix
start_wine
log "Start-up and working set under Wine"
runs="${CORVANE_BENCH_RUNS:-7}"
bench_dir="$ROOT/build/bench-startup"
rm -rf "$bench_dir" && mkdir -p "$bench_dir"
idle="${CORVANE_BENCH_IDLE_SECONDS:-60}"
cp "$MINGW_DIR"/corvane.exe "$MINGW_DIR"/minimal_window.exe "$MINGW_DIR"/startup_probe.exe \
    "$MINGW_DIR"/bar_paint_bench.exe "$bench_dir/"
wine "$bench_dir/startup_probe.exe" "$bench_dir/minimal_window.exe" CorvaneBaselineWindow 0 "$runs" 2000 "$idle"
wine "$bench_dir/startup_probe.exe" "$bench_dir/corvane.exe" CorvaneCtl 1 "$runs" 2000 "$idle"
log "Bar paint under Wine"
wine "$bench_dir/bar_paint_bench.exe" 300 2>/dev/null

# Wine reports no CPU times of other processes, so the idle figure comes from
# the Linux side: utime + stime of the process over a quiet minute.
log "Idle CPU of corvane.exe over ${idle} s (Linux accounting)"
idle_dir="$ROOT/build/bench-idle"
rm -rf "$idle_dir" && mkdir -p "$idle_dir"
cp "$MINGW_DIR/corvane.exe" "$idle_dir/"
wine "$idle_dir/corvane.exe" >/dev/null 2>&1 &
sleep 8
pid="$(pgrep -f 'bench-idle.corvane.exe' | head -n 1)"
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
before="$(ticks "$pid")"
sleep "$idle"
after="$(ticks "$pid")"
echo "corvane.exe: $(( (after - before) * 1000 / $(getconf CLK_TCK) )) ms CPU over ${idle} idle seconds"
wineserver -k >/dev/null 2>&1 || true
