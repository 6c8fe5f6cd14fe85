# Shared by run.sh, test.sh and bench.sh: installs what is missing, builds,
# and brings up a display and the Wine prefix. Source it; it sets ROOT.

set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# CORVANE_TAG keeps parallel work apart: its own build trees and Wine prefix.
TAG="${CORVANE_TAG:+$CORVANE_TAG-}"
CORE_DIR="$ROOT/build/${TAG}core"
MINGW_DIR="$ROOT/build/${TAG}mingw"
export WINEPREFIX="$ROOT/build/${TAG}wineprefix"
export CORVANE_WINEPREFIX="$WINEPREFIX"
export WINEDEBUG=-all
# winemenubuilder would drop a .desktop file beside every shortcut on the
# desktop, which the garden tests would find among their files.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
JOBS="$(nproc 2>/dev/null || echo 2)"

PACKAGES=(
    cmake make g++ pkg-config
    googletest libgtest-dev libbenchmark-dev
    mingw-w64 wine wine64 xvfb x11-utils xdotool imagemagick fonts-dejavu-core
    xserver-xorg-core xserver-xorg-video-dummy
    clang libclang-rt-14-dev clang-format
    ccache python3 python3-yaml
)

log() { printf '\n== %s\n' "$*"; }

install_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if ((${#missing[@]})); then
        log "Installing ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
}

build_core() {
    log "Building the portable core (native, sanitizers)"
    cmake --preset core -B "$CORE_DIR" >/dev/null
    cmake --build "$CORE_DIR" -j "$JOBS"
}

build_mingw() {
    log "Building corvane.exe (mingw-w64)"
    # ccache with the tree as base: parallel work trees share their objects.
    cmake --preset mingw -B "$MINGW_DIR" -DCMAKE_C_COMPILER_LAUNCHER=ccache \
        -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
    CCACHE_BASEDIR="$ROOT" cmake --build "$MINGW_DIR" -j "$JOBS"
}

# Starts Xvfb when no display is set; CORVANE_XVFB_PID tells what to stop.
CORVANE_XVFB_PID=""
ensure_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return
    fi
    local n
    for n in $(seq 91 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
    done
    log "Starting Xvfb on :$n"
    Xvfb ":$n" -screen 0 "${CORVANE_SCREEN:-1920x1080x24}" -nolisten tcp >/dev/null 2>&1 &
    CORVANE_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 100); do
        xdpyinfo >/dev/null 2>&1 && return
        sleep 0.1
    done
    echo "Xvfb did not start" >&2
    return 1
}

# One prefix per build tree, made once: no crash dialog, Windows 10, and a
# stand-in for Segoe UI, which Wine does not have.
ensure_wineprefix() {
    # The wineserver keeps the display of its first client; start afresh.
    wineserver -k >/dev/null 2>&1 || true
    if [ ! -f "$WINEPREFIX/.corvane-ready" ]; then
        log "Creating the Wine prefix (once)"
        rm -rf "$WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        wineboot -i </dev/null >/dev/null 2>&1 || true
        wineserver -w
        touch "$WINEPREFIX/.corvane-ready"
    fi
    # Bump the number when the list below changes: existing prefixes catch up.
    if [ ! -f "$WINEPREFIX/.corvane-settings-3" ]; then
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Segoe UI' /t REG_SZ /d 'DejaVu Sans' /f </dev/null >/dev/null 2>&1
        # Without this Wine crashes while registering side-by-side monitors.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXVidMode /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
        # A crashed program ends without a debugger: winedbg attaching to a
        # process whose other threads still run sometimes never finishes, and
        # the crash tests would wait for an exit that does not come.
        wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /t REG_SZ /d 'cmd.exe /c exit' /f </dev/null >/dev/null 2>&1
        wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /t REG_SZ /d 1 /f </dev/null >/dev/null 2>&1
        winecfg /v win10 </dev/null >/dev/null 2>&1 || true
        wineserver -w
        touch "$WINEPREFIX/.corvane-settings-3"
    fi
    # A run that stopped half-way may have left the prefix at another DPI.
    if [ -f "$WINEPREFIX/.corvane-dpi" ]; then
        set_wine_dpi 96
    fi
}

# Every DPI query of Wine answers LogPixels; the wineserver must restart to
# see a change. 96 removes the value again.
set_wine_dpi() {
    if [ "$1" = 96 ]; then
        wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f </dev/null >/dev/null 2>&1 || true
        rm -f "$WINEPREFIX/.corvane-dpi"
    else
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1
        echo "$1" >"$WINEPREFIX/.corvane-dpi"
    fi
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
}

# Wine's services must start before any test, or they inherit a test's
# output and ctest waits for them forever.
start_wine() {
    wineserver -p </dev/null >/dev/null 2>&1
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# A second X server with two displays side by side (Xvfb cannot place
# screens next to each other for Wine). Sets DUAL_DISPLAY.
CORVANE_XORG_PID=""
DUAL_DISPLAY=""
start_dual_display() {
    local n
    for n in $(seq 141 190); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
    done
    local logdir="$ROOT/build/${TAG}xorg"
    mkdir -p "$logdir/conf.d"
    Xorg ":$n" -noreset -nolisten tcp -config "$ROOT/scripts/xorg/dual-display.conf" \
        -configdir "$logdir/conf.d" -logfile "$logdir/xorg.log" >/dev/null 2>&1 &
    CORVANE_XORG_PID=$!
    for _ in $(seq 1 100); do
        if DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
            DUAL_DISPLAY=":$n"
            return 0
        fi
        sleep 0.1
    done
    echo "the two-display X server did not start (see $logdir/xorg.log)" >&2
    return 1
}

cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$CORVANE_XORG_PID" ]; then
        kill "$CORVANE_XORG_PID" >/dev/null 2>&1 || true
        wait "$CORVANE_XORG_PID" 2>/dev/null || true
    fi
    if [ -n "$CORVANE_XVFB_PID" ]; then
        kill "$CORVANE_XVFB_PID" >/dev/null 2>&1 || true
        wait "$CORVANE_XVFB_PID" 2>/dev/null || true
    fi
}
