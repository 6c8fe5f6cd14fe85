#!/usr/bin/env bash
# Runs one Windows program under Wine in the project's test prefix.
# Wine must already be running (scripts/test.sh starts it); starting it here
# would let Wine's services inherit the test's stderr and hang ctest.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export WINEPREFIX="${CORVANE_WINEPREFIX:-$here/../build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
