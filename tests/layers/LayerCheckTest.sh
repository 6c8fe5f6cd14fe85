#!/usr/bin/env bash
# The layer check sees through every spelling of an include that climbs a
# layer, of a call to the process state, and of new process-wide state; and
# it lets the ordinary spellings through.
# usage: LayerCheckTest.sh <check-layers.sh>
set -uo pipefail
check="$1"
tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/src/base" "$tree/src/dock" "$tree/src/app"
: >"$tree/globals.txt"

failures=0
expect() {
    local want="$1" text="$2"
    printf '%b\n' "$text" >"$tree/src/dock/Probe.cpp"
    if bash "$check" "$tree/src" "$tree/globals.txt" >/dev/null 2>&1; then got=pass; else got=fail; fi
    if [ "$got" != "$want" ]; then
        echo "expected $want, got $got for: $text"
        failures=$((failures + 1))
    fi
}

expect fail '#include "app/App.h"'
expect fail '#include "../app/App.h"'
expect fail '#include "./../app/App.h"'
expect fail '#include <app/App.h>'
expect fail '# include "app/App.h"'
expect fail '  #  include"app/App.h"'
expect fail 'void F() { TheApp ().Quit(); }'
expect fail 'int g_count = 0;'
expect fail 'std::vector<void (*)()> waiting;'
expect fail 'thread_local Dock* current = nullptr;'
expect fail 'void F() {\n    static std::vector<int> seen;\n}'
expect pass '#include "dock/Dock.h"\n#include "base/Commands.h"\n#include <windows.h>\n#include <vector>'
expect pass '#include "../base/Commands.h"\n#include "Dock.h"'
expect pass 'constexpr int kMax = 3;\nconst wchar_t kName[] = L"x";\nstatic constexpr int kMin = 1;'
expect pass 'void F() noexcept;\nvirtual void G() = 0;\nbool Save(const std::wstring& path = Default());'
expect pass 'void F() {\n    static constexpr int kSteps = 4;\n    int local = 0;\n}'

printf 'dock/Probe.cpp g_count\n' >"$tree/globals.txt"
expect pass 'int g_count = 0;'

[ "$failures" -eq 0 ] && echo "layer check: every case as expected"
exit "$failures"
