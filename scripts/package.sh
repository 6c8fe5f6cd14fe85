#!/usr/bin/env bash
# Builds corvane.exe and packs the zip users download:
# build/release/corvane-<version>-win-x64.zip with a stripped corvane.exe,
# README.txt and LICENSE, and its SHA-256 beside it. The same exe always gives
# the same zip, byte for byte, so anyone can check a published one.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$ROOT"

install_packages
build_mingw >/dev/null

fail() {
    echo "package.sh: $*" >&2
    exit 1
}

version="$(sed -n 's/^project(Corvane VERSION \([0-9][0-9.]*\).*/\1/p' CMakeLists.txt)"
[ -n "$version" ] || fail "no version in CMakeLists.txt's project(Corvane VERSION x.y.z)"
exe="$MINGW_DIR/corvane.exe"

# Users have no mingw runtime: every DLL the exe imports must come with
# Windows, none with the toolchain.
imports="$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' |
    tr '[:upper:]' '[:lower:]')"
grep -qx 'kernel32.dll' <<<"$imports" || fail "could not read the imports of $exe"
toolchain_dlls="$(find /usr/lib/gcc/x86_64-w64-mingw32 /usr/x86_64-w64-mingw32 -iname '*.dll' \
    -printf '%f\n' | tr '[:upper:]' '[:lower:]' | sort -u)"
bundled="$(grep -Fxf <(printf '%s\n' "$toolchain_dlls") <<<"$imports" || true)"
[ -z "$bundled" ] || fail "corvane.exe needs DLLs that Windows lacks: $(tr '\n' ' ' <<<"$bundled")"

# 2026-01-01 00:00 UTC: the time of every file in the zip, and of the
# stripped exe's header, which strip would otherwise set to now.
epoch=1767225600
out="$ROOT/build/${TAG}release"
name="corvane-$version-win-x64.zip"
stage="$out/stage"
rm -rf "$stage" && mkdir -p "$stage"
cp "$exe" "$stage/corvane.exe"
SOURCE_DATE_EPOCH="$epoch" x86_64-w64-mingw32-strip "$stage/corvane.exe"

# Fixed names, order, time and permissions, and no extra fields: nothing of
# the machine or the moment gets into the bytes. README.txt gets CRLF line
# ends for Notepad; LICENSE goes in as committed.
python3 - "$epoch" "$out/$name" "$stage/corvane.exe" "$ROOT/docs/README.txt" "$ROOT/LICENSE" <<'EOF'
import sys, time, zipfile

epoch, target, exe, readme, licence = sys.argv[1:]

def entry(name, mode):
    info = zipfile.ZipInfo(name, date_time=time.gmtime(int(epoch))[:6])
    info.create_system = 3
    info.external_attr = mode << 16
    info.compress_type = zipfile.ZIP_DEFLATED
    return info

def read(path):
    with open(path, "rb") as f:
        return f.read()

text = read(readme).replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
with zipfile.ZipFile(target + ".tmp", "w") as z:
    z.writestr(entry("corvane.exe", 0o100755), read(exe), compresslevel=9)
    z.writestr(entry("README.txt", 0o100644), text, compresslevel=9)
    z.writestr(entry("LICENSE", 0o100644), read(licence), compresslevel=9)
EOF
mv "$out/$name.tmp" "$out/$name"
rm -rf "$stage"
(cd "$out" && sha256sum "$name" >"$name.sha256")
echo "$out/$name"
cat "$out/$name.sha256"
