#!/usr/bin/env bash
# Installs what is missing, builds corvane.exe and starts it under Wine on the
# current display, or on a virtual one (then screenshots are saved: three
# tray icons of a demo program in the bar, and CorMenu's All apps, then
# CorLauncher, opened by the Windows key). It runs in a Wine prefix of its
# own, whose Start menu holds shortcuts to some of Wine's own programs, so
# that CorMenu and CorLauncher list real apps.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$ROOT"
trap cleanup EXIT
# Not the tests' prefix: they count on a Start menu holding only their own
# shortcuts.
export WINEPREFIX="$ROOT/build/${TAG}run-wineprefix"
export CORVANE_WINEPREFIX="$WINEPREFIX"

# Wine's programs as the shortcuts' names and their paths in the prefix.
# Made once per prefix (with Wine's script host), so that a shortcut the user
# deleted stays deleted.
add_start_menu_shortcuts() {
    local marker="$WINEPREFIX/.corvane-start-menu-1"
    [ -f "$marker" ] && return
    local system='C:\windows\system32'
    local failed=0
    wine cscript //nologo "$(winepath -w "$ROOT/scripts/start-menu-shortcuts.js")" \
        "Notepad" "$system\notepad.exe" \
        "Registry Editor" 'C:\windows\regedit.exe' \
        "File Manager" "$system\winefile.exe" \
        "Task Manager" "$system\taskmgr.exe" \
        "Command Prompt" "$system\cmd.exe" \
        "Control Panel" "$system\control.exe" \
        "Minesweeper" "$system\winemine.exe" \
        "WordPad" 'C:\Program Files\Windows NT\Accessories\wordpad.exe' \
        </dev/null >/dev/null 2>&1 || failed=$?
    if [ "$failed" -eq 0 ]; then
        touch "$marker"
    else
        echo "$failed of Wine's programs got no Start menu shortcut" >&2
    fi
}

install_packages
build_mingw
virtual=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    virtual=1
fi
ensure_display
ensure_wineprefix
start_wine
add_start_menu_shortcuts

if [ "$virtual" -eq 1 ]; then
    # Wine has no compositor: glass shows black, as the bare X root does. A
    # coloured root lets the dock's outline show, and an open Notepad gives
    # the dock a running app (started first, so that the dock finds it).
    convert -size 16x16 xc:'#3b5f86' "$ROOT/build/${TAG}desktop.png"
    display -window root "$ROOT/build/${TAG}desktop.png" >/dev/null 2>&1 || true
    wine notepad >/dev/null 2>&1 &
    sleep 2
fi
exe="$MINGW_DIR/corvane.exe"
if [ "$virtual" -eq 1 ]; then
    # A copy of its own, with CorMenu as the start menu, so that the Windows
    # key opens it for the last screenshot; every other setting is the
    # default. The file is UTF-16 with a byte-order mark, as Corvane writes it.
    demo="$ROOT/build/${TAG}demo"
    rm -rf "$demo" && mkdir -p "$demo"
    cp "$exe" "$demo/"
    exe="$demo/corvane.exe"
    demo_ini() {
        { printf '\xff\xfe'; printf '[General]\r\nLanguage=en\r\n[Start]\r\nMenu=%s\r\nWinKey=1\r\n' "$1" |
            iconv -f UTF-8 -t UTF-16LE; } >"$demo/corvane.ini"
    }
    demo_ini 1
fi
log "Starting Corvane on $DISPLAY"
# Wine and its audio driver talk a lot on stderr (ALSA complaints on machines
# without a sound card); it goes to a log, and only a failure points there.
wine_log="$ROOT/build/${TAG}run-wine.log"
wine "$exe" >"$wine_log" 2>&1 &
corvane=$!
echo "Wine's messages: $wine_log"
ended_early() {
    local code=0
    wait "$corvane" || code=$?
    echo "corvane.exe ended early (exit code $code); see $wine_log" >&2
    exit 1
}
if [ "$virtual" -eq 1 ]; then
    # A demo program puts three icons into the bar's tray, as other
    # programs would (the test helper, built with the tests).
    ready="$ROOT/build/${TAG}tray-demo.ready"
    rm -f "$ready"
    if [ -f "$MINGW_DIR/test_helper.exe" ]; then
        wine "$MINGW_DIR/test_helper.exe" tray-demo 120 "$(winepath -w "$ready")" >>"$wine_log" 2>&1 &
    fi
    sleep "${CORVANE_SCREENSHOT_DELAY:-6}"
    for _ in $(seq 1 150); do
        [ -f "$ready" ] || [ ! -f "$MINGW_DIR/test_helper.exe" ] && break
        sleep 0.2
    done
    [ -f "$ready" ] || echo "No tray icons in the screenshot: the demo did not place them" >&2
    kill -0 "$corvane" 2>/dev/null || ended_early
    import -window root "$ROOT/build/screenshot.png"
    # The bar alone, as docs/images/bar-tray-demo.png shows it.
    convert "$ROOT/build/screenshot.png" -crop "x40+0+0" +repage \
        "$ROOT/build/screenshot-bar.png"
    # The bar above the dock, without the empty desktop between them, as
    # docs/images/bar-and-dock.png shows them.
    convert "$ROOT/build/screenshot.png" -gravity south -crop "x90+0+0" +repage \
        "$ROOT/build/screenshot-dock.png"
    convert "$ROOT/build/screenshot-bar.png" "$ROOT/build/screenshot-dock.png" -append \
        "$ROOT/build/screenshot-bar-dock.png"
    # The Windows key, typed on the X server while Notepad has the focus (Wine
    # takes keys typed into one of its windows for a person's), opens CorMenu:
    # 620 x 580 points, centred, 10 above the dock (53 high, 6 above the bottom).
    # A click on its "All apps" button (right end of the header, 68..94 below
    # its top, the left column ending at 384) shows the Start menu's apps.
    xdotool search --name Notepad windowfocus --sync key Super_L >/dev/null 2>&1 || true
    sleep 2
    read -r width height < <(xdpyinfo | awk '/dimensions:/ {sub("x", " ", $2); print $2}')
    menu_left=$(((width - 620) / 2))
    menu_top=$((height - 6 - 53 - 10 - 580))
    xdotool mousemove $((menu_left + 350)) $((menu_top + 81)) click 1 >/dev/null 2>&1 || true
    # Away from the rows, so that none shows as hovered; the icons come after.
    xdotool mousemove $((menu_left + 5)) $((menu_top + 300)) >/dev/null 2>&1 || true
    sleep 2
    import -window root "$ROOT/build/screenshot-start.png"
    # In 256 colours, as small as docs/images wants its pictures.
    convert "$ROOT/build/screenshot-start.png" \
        -crop "620x580+$menu_left+$menu_top" +repage -strip -colors 256 \
        "PNG8:$ROOT/build/screenshot-cormenu.png"
    # CorLauncher covers the whole display: Corvane again, with [Start] Menu=2.
    kill "$corvane" >/dev/null 2>&1 || true
    wait "$corvane" 2>/dev/null || true
    demo_ini 2
    wine "$exe" >>"$wine_log" 2>&1 &
    corvane=$!
    sleep "${CORVANE_SCREENSHOT_DELAY:-6}"
    kill -0 "$corvane" 2>/dev/null || ended_early
    xdotool search --name Notepad windowfocus --sync key Super_L >/dev/null 2>&1 || true
    sleep 2
    import -window root "$ROOT/build/screenshot-corlauncher.png"
    # The search box and the first row of apps, as docs/images shows them.
    convert "$ROOT/build/screenshot-corlauncher.png" -crop "${width}x330+0+0" +repage \
        -strip -colors 256 "PNG8:$ROOT/build/screenshot-corlauncher-top.png"
    echo "Screenshot: $ROOT/build/screenshot.png (the bar: $ROOT/build/screenshot-bar.png," \
        "bar and dock: $ROOT/build/screenshot-bar-dock.png, CorMenu:" \
        "$ROOT/build/screenshot-cormenu.png, CorLauncher:" \
        "$ROOT/build/screenshot-corlauncher.png, its top:" \
        "$ROOT/build/screenshot-corlauncher-top.png)"
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
