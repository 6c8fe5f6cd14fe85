#!/usr/bin/env bash
# Figures for docs/performance.md: the core benchmarks (native, optimised),
# then under Wine corvane.exe's start-up time, memory and idle CPU next to
# bare_strip.exe, the least a bar with a clock can be (a topmost Direct2D strip
# with one DirectWrite line, drawn again once a minute), the bar's paint, a
# catalog build from Start-menu shortcuts, CorMenu's and CorLauncher's first
# frames next to a bare window's, Now Playing's poll, cover and card frame, the
# desktop beds over 5,000 files, the GUI thread's longest stall with a hung
# program in front, and idle CPU with hot corners on, with Now Playing on and
# with CorGarden on, against all off.
#
# CORVANE_TAG keeps the build trees and the Wine prefix apart (see lib.sh).
# CORVANE_BENCH_RUNS (7) start-up runs; CORVANE_BENCH_IDLE_SECONDS (60) and
# CORVANE_BENCH_IDLE_ROUNDS (3) the idle windows; CORVANE_BENCH_SETTLE_SECONDS
# (10) the wait after start before the first window. CORVANE_BENCH_ONLY_IDLE=1
# takes only the idle CPU of corvane.exe next to bare_strip.exe, with default
# features and with CorGarden on, so that those figures can be taken again
# quickly.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$ROOT"
trap cleanup EXIT

runs="${CORVANE_BENCH_RUNS:-7}"
idle="${CORVANE_BENCH_IDLE_SECONDS:-60}"
rounds="${CORVANE_BENCH_IDLE_ROUNDS:-3}"
settle="${CORVANE_BENCH_SETTLE_SECONDS:-10}"
only_idle="${CORVANE_BENCH_ONLY_IDLE:-0}"
BENCH_DIR="$ROOT/build/${TAG}bench"
STARTUP_DIR="$ROOT/build/${TAG}bench-startup"
IDLE_DIR="$ROOT/build/${TAG}bench-idle"
HZ="$(getconf CLK_TCK)"

fail() {
    echo "bench.sh: $*" >&2
    exit 1
}

install_packages
if [ "$only_idle" = 0 ]; then
    log "Core benchmarks"
    cmake --preset bench -B "$BENCH_DIR" >/dev/null
    cmake --build "$BENCH_DIR" -j "$JOBS"
    "$BENCH_DIR/corvane_bench" --benchmark_min_time=0.2
fi

build_mingw
ensure_display
ensure_wineprefix
start_wine

if [ "$only_idle" = 0 ]; then
    # Wine's audio driver prints ALSA complaints on machines without a sound card;
    # every Windows program's stderr goes to a log instead of the terminal.
    log "Start-up and working set under Wine (median of $runs runs)"
    rm -rf "$STARTUP_DIR" && mkdir -p "$STARTUP_DIR"
    for exe in corvane minimal_window bare_strip startup_probe bar_paint_bench catalog_build_bench \
        start_menu_bench preview_bench garden_bench settings_bench; do
        cp "$MINGW_DIR/$exe.exe" "$STARTUP_DIR/" || fail "$MINGW_DIR/$exe.exe is missing"
    done
    probe() {
        wine "$STARTUP_DIR/startup_probe.exe" "$STARTUP_DIR/$1" "$2" "$3" "$runs" 2000 \
            2>>"$STARTUP_DIR/wine.log" || fail "startup_probe failed for $1 (see $STARTUP_DIR/wine.log)"
    }
    probe minimal_window.exe CorvaneBaselineWindow 0
    probe bare_strip.exe CorvaneBareStrip 0
    probe corvane.exe CorvaneCtl 1
    echo "(Wine's own messages: $STARTUP_DIR/wine.log)"

    log "Bar paint under Wine"
    wine "$STARTUP_DIR/bar_paint_bench.exe" 300 2>>"$STARTUP_DIR/wine.log" ||
        fail "bar_paint_bench failed (see $STARTUP_DIR/wine.log)"

    log "Dock preview under Wine"
    wine "$STARTUP_DIR/preview_bench.exe" 200 2>>"$STARTUP_DIR/wine.log" ||
        fail "preview_bench failed (see $STARTUP_DIR/wine.log)"

    log "Desktop beds under Wine: 5,000 desktop files scanned, saved, painted and scrolled"
    wine "$STARTUP_DIR/garden_bench.exe" 9 2>>"$STARTUP_DIR/wine.log" ||
        fail "garden_bench failed (see $STARTUP_DIR/wine.log)"

    log "Catalog build from Start-menu shortcuts under Wine"
    wine "$STARTUP_DIR/catalog_build_bench.exe" 9 2>>"$STARTUP_DIR/wine.log" ||
        fail "catalog_build_bench failed (see $STARTUP_DIR/wine.log)"

    log "Now Playing under Wine: a poll, a cover, a card frame"
    cp "$MINGW_DIR/nowplaying_bench.exe" "$MINGW_DIR/test_fakemedia.dll" "$STARTUP_DIR/" ||
        fail "nowplaying_bench.exe or test_fakemedia.dll is missing in $MINGW_DIR"
    wine "$STARTUP_DIR/nowplaying_bench.exe" "$(winepath -w "$STARTUP_DIR/test_fakemedia.dll")" 300 \
        2>>"$STARTUP_DIR/wine.log" || fail "nowplaying_bench failed (see $STARTUP_DIR/wine.log)"

    log "CorMenu and CorLauncher: the open command to the first frame under Wine, next to bare windows"
    wine "$STARTUP_DIR/start_menu_bench.exe" 20 2>>"$STARTUP_DIR/wine.log" ||
        fail "start_menu_bench failed (see $STARTUP_DIR/wine.log)"

    log "The settings window under Wine: open to first frame, page switches, memory after closing"
    wine "$STARTUP_DIR/settings_bench.exe" 10 2>>"$STARTUP_DIR/wine.log" ||
        fail "settings_bench failed (see $STARTUP_DIR/wine.log)"

    # The GUI thread's longest wait while another program has stopped answering:
    # a window of the probe's own, maximised and in front, stops pumping, and the
    # probe clicks and right-clicks its dock item, lets tiling arrange it, opens
    # CorMenu and lets the beds poll, timing a posted echo throughout.
    log "The GUI thread with a hung program in front under Wine"
    mkdir -p "$STARTUP_DIR/stall"
    cp "$MINGW_DIR/corvane.exe" "$STARTUP_DIR/stall/" && cp "$MINGW_DIR/stall_probe.exe" "$STARTUP_DIR/" ||
        fail "corvane.exe or stall_probe.exe is missing in $MINGW_DIR"
    # The same run with a program that keeps answering shows which stalls are
    # the hung program's and which Wine's own.
    for mode in hung answering; do
        wine "$STARTUP_DIR/stall_probe.exe" "$(winepath -w "$STARTUP_DIR/stall")" "$idle" "$mode" \
            2>>"$STARTUP_DIR/wine.log" || fail "stall_probe failed (see $STARTUP_DIR/wine.log)"
    done
fi

# Wine answers GetProcessTimes for other processes with 0, so idle CPU comes
# from the Linux side: utime + stime of each Wine process (clock ticks), and
# the scheduler's exact run time of its threads, summed. Both programs run at
# once, so that whatever else the machine does falls on both.
log "Memory and idle CPU under Wine: corvane.exe next to bare_strip.exe"
rm -rf "$IDLE_DIR" && mkdir -p "$IDLE_DIR"
cp "$MINGW_DIR/corvane.exe" "$MINGW_DIR/bare_strip.exe" "$IDLE_DIR/" || fail "corvane.exe or bare_strip.exe is missing in $MINGW_DIR"

# The pid of the Wine process that runs $IDLE_DIR/$1; fails when there is none.
find_pid() {
    local pattern pid
    pattern="^$(printf '%s' "$IDLE_DIR/$1" | sed 's/[][\.*^$+?(){}|]/\\&/g')"
    for _ in $(seq 1 100); do
        pid="$(pgrep -f "$pattern" | head -n 1 || true)"
        if [ -n "$pid" ]; then
            echo "$pid"
            return 0
        fi
        sleep 0.2
    done
    fail "$1 did not start: no process runs $IDLE_DIR/$1 (see $IDLE_DIR/$1.log)"
}
alive() {
    [ -r "/proc/$1/stat" ] || fail "$2 ended during the measurement (see $IDLE_DIR/$2.log)"
}
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
runtime_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%.0f\n", s}'; }
# One line per thread: "tid name run-time-ns".
threads() {
    local t
    for t in /proc/"$1"/task/*; do
        [ -r "$t/schedstat" ] || continue
        printf '%s %s %s\n' "${t##*/}" "$(tr ' ' '_' <"$t/comm")" "$(awk '{print $1}' "$t/schedstat")"
    done
}
rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }
# Ends the corvane.exe being measured and waits for it to be gone.
stop_corvane() {
    kill "$corvane_pid"
    for _ in $(seq 1 50); do
        [ -e "/proc/$corvane_pid" ] || break
        sleep 0.2
    done
}

wine "$IDLE_DIR/bare_strip.exe" >"$IDLE_DIR/bare_strip.exe.log" 2>&1 &
wine "$IDLE_DIR/corvane.exe" >"$IDLE_DIR/corvane.exe.log" 2>&1 &
strip_pid="$(find_pid bare_strip.exe)"
corvane_pid="$(find_pid corvane.exe)"
sleep "$settle"
alive "$strip_pid" bare_strip.exe
alive "$corvane_pid" corvane.exe

strip_rss="$(rss_kb "$strip_pid")"
corvane_rss="$(rss_kb "$corvane_pid")"
awk -v s="$strip_rss" -v c="$corvane_rss" -v t="$settle" 'BEGIN {
    printf "Resident (VmRSS) after %s s: bare_strip.exe %.1f MB, corvane.exe %.1f MB, difference %.1f MB\n",
        t, s / 1024, c / 1024, (c - s) / 1024 }'

# Sets ROUNDS_DIFF_MS: corvane.exe's run time less bare_strip.exe's, summed
# over the rounds.
idle_rounds() {
    local label="$1" round s_t0 c_t0 s_r0 c_r0 s_t1 c_t1 s_r1 c_r1 s_ms c_ms s_run c_run
    ROUNDS_DIFF_MS=0
    for round in $(seq 1 "$rounds"); do
        s_t0="$(ticks "$strip_pid")" && c_t0="$(ticks "$corvane_pid")"
        s_r0="$(runtime_ns "$strip_pid")" && c_r0="$(runtime_ns "$corvane_pid")"
        sleep "$idle"
        alive "$strip_pid" bare_strip.exe
        alive "$corvane_pid" corvane.exe
        s_t1="$(ticks "$strip_pid")" && c_t1="$(ticks "$corvane_pid")"
        s_r1="$(runtime_ns "$strip_pid")" && c_r1="$(runtime_ns "$corvane_pid")"
        s_ms=$(((s_t1 - s_t0) * 1000 / HZ)) && c_ms=$(((c_t1 - c_t0) * 1000 / HZ))
        s_run=$(((s_r1 - s_r0) / 1000000)) && c_run=$(((c_r1 - c_r0) / 1000000))
        echo "Idle CPU${label} over ${idle} s, round $round: bare_strip.exe ${s_ms} ms (run time ${s_run} ms)," \
            "corvane.exe ${c_ms} ms (run time ${c_run} ms), difference $((c_ms - s_ms)) ms" \
            "(run time $((c_run - s_run)) ms)"
        ROUNDS_DIFF_MS=$((ROUNDS_DIFF_MS + c_run - s_run))
    done
}

threads "$strip_pid" >"$IDLE_DIR/bare_strip.threads.0"
threads "$corvane_pid" >"$IDLE_DIR/corvane.threads.0"
idle_rounds ""
corners_off_ms="$ROUNDS_DIFF_MS"
threads "$strip_pid" >"$IDLE_DIR/bare_strip.threads.1"
threads "$corvane_pid" >"$IDLE_DIR/corvane.threads.1"

if [ "$only_idle" = 0 ]; then
    # A laptop's WLAN service, IP helper and Core Audio report far more than the
    # bar shows; one notice a second shows what each costs when nothing changed.
    cp "$MINGW_DIR/status_notify.exe" "$IDLE_DIR/" || fail "$MINGW_DIR/status_notify.exe is missing"
    c_r0="$(runtime_ns "$corvane_pid")" && c_t0="$(ticks "$corvane_pid")"
    s_r0="$(runtime_ns "$strip_pid")"
    wine "$IDLE_DIR/status_notify.exe" "$idle" 1000 2>>"$IDLE_DIR/status_notify.exe.log" ||
        fail "status_notify failed (see $IDLE_DIR/status_notify.exe.log)"
    alive "$corvane_pid" corvane.exe
    c_r1="$(runtime_ns "$corvane_pid")" && c_t1="$(ticks "$corvane_pid")"
    s_r1="$(runtime_ns "$strip_pid")"
    echo "With a status notice every second over ${idle} s: corvane.exe $(((c_t1 - c_t0) * 1000 / HZ)) ms" \
        "(run time $(((c_r1 - c_r0) / 1000000)) ms), bare_strip.exe run time $(((s_r1 - s_r0) / 1000000)) ms"
fi

# Where the time went, thread by thread, over all rounds.
for who in bare_strip corvane; do
    echo "Threads of ${who}.exe over $((idle * rounds)) s (run time in ms):"
    LC_ALL=C join <(LC_ALL=C sort "$IDLE_DIR/$who.threads.0") <(LC_ALL=C sort "$IDLE_DIR/$who.threads.1") |
        awk '{ms = ($5 - $3) / 1e6; if (ms >= 0.5) printf "  %-20s %8.1f\n", $2, ms}' | sort -k2 -rn
done

if [ "$only_idle" = 0 ]; then
    # Hot corners poll the pointer on a timer, every 100 ms while it is far from
    # the main display's corners: corvane.exe again, from a folder of its own
    # with every corner given an action, next to the same bare_strip.exe.
    log "Idle CPU under Wine with hot corners on and the pointer far from the corners"
    stop_corvane
    mkdir -p "$IDLE_DIR/corners"
    cp "$MINGW_DIR/corvane.exe" "$IDLE_DIR/corners/"
    printf '[HotCorners]\r\nEnabled=1\r\nTopLeft=1\r\nTopRight=2\r\nBottomLeft=4\r\nBottomRight=5\r\n' \
        >"$IDLE_DIR/corners/corvane.ini"
    if command -v xdotool >/dev/null; then
        xdotool mousemove --sync "$(($(xdotool getdisplaygeometry | cut -d' ' -f1) / 2))" \
            "$(($(xdotool getdisplaygeometry | cut -d' ' -f2) / 2))"
    fi
    wine "$IDLE_DIR/corners/corvane.exe" >"$IDLE_DIR/corners/corvane.exe.log" 2>&1 &
    corvane_pid="$(find_pid corners/corvane.exe)"
    sleep "$settle"
    alive "$corvane_pid" corvane.exe
    idle_rounds " with hot corners"
    awk -v off="$corners_off_ms" -v on="$ROUNDS_DIFF_MS" -v n="$rounds" -v t="$idle" 'BEGIN {
        printf "Hot corners on against off: %+.1f ms of run time per minute (corvane.exe less bare_strip.exe: %.1f against %.1f ms per minute)\n",
            (on - off) / n * 60 / t, on / n * 60 / t, off / n * 60 / t }'

    # Now Playing polls the media session every 2 s while nothing plays: the
    # tests' stand-in session library, registered in this prefix only, answers
    # that there is no session.
    log "Idle CPU under Wine with Now Playing on and no media session"
    stop_corvane
    mkdir -p "$IDLE_DIR/nowplaying"
    cp "$MINGW_DIR/corvane.exe" "$MINGW_DIR/test_fakemedia.dll" "$IDLE_DIR/nowplaying/"
    printf '[NowPlaying]\r\nEnabled=1\r\n' >"$IDLE_DIR/nowplaying/corvane.ini"
    printf 'session=0\nlog=%s\n' "$(winepath -w "$IDLE_DIR/nowplaying/calls.log")" \
        >"$IDLE_DIR/nowplaying/media.txt"
    rm -f "$IDLE_DIR/nowplaying/calls.log"
    media_key='HKLM\Software\Microsoft\WindowsRuntime\ActivatableClassId\Windows.Media.Control.GlobalSystemMediaTransportControlsSessionManager'
    wine reg add "$media_key" /v DllPath /d "$(winepath -w "$IDLE_DIR/nowplaying/test_fakemedia.dll")" /f \
        >/dev/null 2>>"$IDLE_DIR/wine.log" || fail "could not register the stand-in media session"
    CORVANE_FAKE_MEDIA="$(winepath -w "$IDLE_DIR/nowplaying/media.txt")" \
        wine "$IDLE_DIR/nowplaying/corvane.exe" >"$IDLE_DIR/nowplaying/corvane.exe.log" 2>&1 &
    corvane_pid="$(find_pid nowplaying/corvane.exe)"
    sleep "$settle"
    alive "$corvane_pid" corvane.exe
    idle_rounds " with Now Playing on"
    wine reg delete "$media_key" /f >/dev/null 2>>"$IDLE_DIR/wine.log" || true
    echo "The session was asked for $(grep -c GetCurrentSession "$IDLE_DIR/nowplaying/calls.log" 2>/dev/null || echo 0)" \
        "times over $((settle + idle * rounds)) s"
    awk -v off="$corners_off_ms" -v on="$ROUNDS_DIFF_MS" -v n="$rounds" -v t="$idle" 'BEGIN {
        printf "Now Playing on (no session) against off: %+.1f ms of run time per minute (corvane.exe less bare_strip.exe: %.1f against %.1f ms per minute)\n",
            (on - off) / n * 60 / t, on / n * 60 / t, off / n * 60 / t }'
fi
# CorGarden waits on change notifications for the desktop folders and looks
# at the desktop layer every 15 s: corvane.exe again with two beds over 200 desktop files, the
# prefix's desktop pointed at them for the run only.
log "Idle CPU under Wine with CorGarden on (200 desktop files)"
stop_corvane
mkdir -p "$IDLE_DIR/garden/desktop"
for i in $(seq 1 200); do : >"$IDLE_DIR/garden/desktop/Report $i.txt"; done
cp "$MINGW_DIR/corvane.exe" "$IDLE_DIR/garden/"
printf '[Garden]\r\nEnabled=1\r\n' >"$IDLE_DIR/garden/corvane.ini"
folders_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
old_desktop="$(wine reg query "$folders_key" /v Desktop 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *Desktop *REG_[A-Z_]* *//p')"
wine reg add "$folders_key" /v Desktop /t REG_EXPAND_SZ /d "$(winepath -w "$IDLE_DIR/garden/desktop")" \
    /f >/dev/null 2>>"$IDLE_DIR/wine.log" || fail "could not point the desktop at the bench's files"
wine "$IDLE_DIR/garden/corvane.exe" >"$IDLE_DIR/garden/corvane.exe.log" 2>&1 &
corvane_pid="$(find_pid garden/corvane.exe)"
sleep "$settle"
alive "$corvane_pid" corvane.exe
awk -v s="$(rss_kb "$strip_pid")" -v c="$(rss_kb "$corvane_pid")" -v o="$corvane_rss" 'BEGIN {
    printf "Resident with CorGarden on: corvane.exe %.1f MB (%.1f MB more than bare_strip.exe, %+.1f MB against CorGarden off)\n",
        c / 1024, (c - s) / 1024, (c - o) / 1024 }'
idle_rounds " with CorGarden on"
stop_corvane
if [ -n "$old_desktop" ]; then
    wine reg add "$folders_key" /v Desktop /t REG_EXPAND_SZ /d "$old_desktop" /f >/dev/null 2>&1
else
    wine reg delete "$folders_key" /v Desktop /f >/dev/null 2>&1
fi
echo "garden.ini lists $(iconv -f UTF-16 -t UTF-8 "$IDLE_DIR/garden/garden.ini" | grep -o 'report [0-9]*' | wc -l) desktop files"
awk -v off="$corners_off_ms" -v on="$ROUNDS_DIFF_MS" -v n="$rounds" -v t="$idle" 'BEGIN {
    printf "CorGarden on against off: %+.1f ms of run time per minute (corvane.exe less bare_strip.exe: %.1f against %.1f ms per minute)\n",
        (on - off) / n * 60 / t, on / n * 60 / t, off / n * 60 / t }'
echo "(Wine's own messages: $IDLE_DIR/*.log)"
