#!/usr/bin/env bash
# Checks the zip that package.sh writes, as a user would get it: exactly
# corvane.exe, README.txt and LICENSE; the same bytes from a second run; and
# the exe from it, alone in a fresh folder, starting under Wine and writing
# its corvane.ini next to itself. test.sh runs it; it also runs on its own.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$ROOT"
trap cleanup EXIT

fail() {
    echo "Release package: FAILED: $*" >&2
    exit 1
}

first="$("$ROOT/scripts/package.sh" | tail -n 2)" || fail "package.sh failed"
zip="$(head -n 1 <<<"$first")"
sum="$(tail -n 1 <<<"$first" | cut -d' ' -f1)"
(cd "$(dirname "$zip")" && sha256sum --quiet -c "$(basename "$zip").sha256") ||
    fail "the .sha256 file does not match the zip"

# The second run comes at least one zip time step (2 s) later and with a
# stricter umask, so that a packer taking times or modes from the files
# would give other bytes.
sleep 2
second="$(umask 077 && "$ROOT/scripts/package.sh" | tail -n 1 | cut -d' ' -f1)" ||
    fail "package.sh failed the second time"
[ "$sum" = "$second" ] || fail "two runs gave different zips ($sum, then $second)"

# A prefix made afresh would take the unpacked folder with it: first the prefix.
ensure_display
ensure_wineprefix
start_wine
unpacked="$WINEPREFIX/drive_c/corvane-package-check"
rm -rf "$unpacked" && mkdir -p "$unpacked"
python3 -m zipfile -e "$zip" "$unpacked"
found="$(cd "$unpacked" && find . -mindepth 1 | sort | tr '\n' ' ')"
[ "$found" = "./LICENSE ./README.txt ./corvane.exe " ] || fail "the zip holds: $found"
x86_64-w64-mingw32-nm "$unpacked/corvane.exe" 2>&1 | grep -q 'no symbols' ||
    fail "corvane.exe in the zip is not stripped"
[ "$(grep -c $'\r$' "$unpacked/README.txt")" = "$(wc -l <"$unpacked/README.txt")" ] ||
    fail "README.txt has lines without CRLF"
cmp -s "$unpacked/LICENSE" "$ROOT/LICENSE" || fail "LICENSE differs from the repository's"

log_file="$ROOT/build/${TAG}package-wine.log"
wine "$unpacked/corvane.exe" >"$log_file" 2>&1 &
corvane=$!
started=0
for _ in $(seq 1 100); do
    if iconv -f UTF-16 -t UTF-8 "$unpacked/corvane.ini" 2>/dev/null | grep -q '^\[General\]'; then
        started=1
        break
    fi
    kill -0 "$corvane" 2>/dev/null || break
    sleep 0.2
done
# Still running a moment later: it got past writing its settings.
[ "$started" -eq 0 ] || sleep 1
alive=0
kill -0 "$corvane" 2>/dev/null && alive=1
kill "$corvane" >/dev/null 2>&1 || true
wait "$corvane" 2>/dev/null || true
if [ "$started" -eq 0 ]; then
    [ "$alive" -eq 1 ] && when="within 20 s" || when="before it ended"
    fail "corvane.exe from the zip wrote no corvane.ini $when (see $log_file)"
fi
[ "$alive" -eq 1 ] || fail "corvane.exe from the zip ended right after starting (see $log_file)"
echo "Release package: $(basename "$zip") $sum"
