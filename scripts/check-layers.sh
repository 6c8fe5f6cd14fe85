#!/usr/bin/env bash
# Fails when a source folder includes a folder above it. Arrows run one way:
# the root (app) -> subsystems -> shared services -> the foundation (base).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../src"

# What each folder may include besides itself.
declare -A allowed=(
    [base]=""
    [resources]=""
    [config]="base resources"
    [toolkit]="base config"
    [identity]="base config toolkit"
    [appmenus]="base resources config toolkit identity"
    [bar]="base config toolkit identity appmenus tray"
    [tray]="base config toolkit identity"
    [tiling]="base config toolkit identity"
    [dock]="base config toolkit identity"
    [start]="base config toolkit identity"
    [nowplaying]="base config toolkit identity"
    [garden]="base config toolkit identity"
    [settings]="base config toolkit identity"
    [app]="*"
)

status=0
for dir in */; do
    dir="${dir%/}"
    if [ -z "${allowed[$dir]+set}" ]; then
        echo "layers: src/$dir has no place in scripts/check-layers.sh" >&2
        status=1
        continue
    fi
    [ "${allowed[$dir]}" = "*" ] && continue
    while IFS=: read -r file _ line; do
        target="${line#*\"}"
        target="${target%%/*}"
        [ "$target" = "$dir" ] && continue
        case " ${allowed[$dir]} " in
        *" $target "*) ;;
        *)
            echo "layers: src/$file includes $target/, which $dir/ may not use" >&2
            status=1
            ;;
        esac
    done < <(grep -rn --include='*.h' --include='*.cpp' -E '^#include "[a-z]+/' "$dir" || true)
done
# Subsystems are handed what they need; only the root reaches the process state.
if grep -rln --include='*.h' --include='*.cpp' 'TheApp()' . | grep -v '^./app/'; then
    echo "layers: the files above call TheApp() outside the root" >&2
    status=1
fi
[ "$status" -eq 0 ] && echo "layers: include direction ok"
exit "$status"
