#!/usr/bin/env bash
# Fails when a source folder includes a folder above it. Arrows run one way:
# the root (app) -> subsystems -> shared services -> the foundation (base).
# Also fails when code outside the root reaches the process state, or when a
# subsystem grows process-wide state not listed in scripts/layer-globals.txt.
#
# usage: check-layers.sh [source folder]   (the project's src/ when left out)
set -euo pipefail
scripts="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
src="$(cd "${1:-$scripts/../src}" && pwd)"
globals_list="${2:-$scripts/layer-globals.txt}"
cd "$src"

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
folders=" $(printf '%s ' "${!allowed[@]}")"
for dir in */; do
    dir="${dir%/}"
    if [ -z "${allowed[$dir]+set}" ]; then
        echo "layers: src/$dir has no place in scripts/check-layers.sh" >&2
        status=1
    fi
done

# Every include, whatever its spelling: spaces around the hash, angle
# brackets, and paths that climb out of the file's folder are resolved to
# the folder they land in. Only includes that name one of ours count.
while IFS=$'\t' read -r file target; do
    dir="${file%%/*}"
    [ -z "${allowed[$dir]+set}" ] && continue
    [ "${allowed[$dir]}" = "*" ] && continue
    [ "$target" = "$dir" ] && continue
    case "$folders" in *" $target "*) ;; *) continue ;; esac
    case " ${allowed[$dir]} " in
    *" $target "*) ;;
    *)
        echo "layers: src/$file includes $target/, which $dir/ may not use" >&2
        status=1
        ;;
    esac
done < <(grep -rnE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include' . | awk '
    {
        file = $0; sub(/^\.\//, "", file); sub(/:.*/, "", file)
        if (!match($0, /include[[:space:]]*[<"][^>"]+[>"]/)) next
        path = substr($0, RSTART, RLENGTH); sub(/^include[[:space:]]*[<"]/, "", path); sub(/[>"]$/, "", path)
        if (path ~ /^\.\.?\//) {
            # Resolved against the including file'"'"'s folder.
            n = split(file, parts, "/"); depth = 0
            for (i = 1; i < n; i++) stack[++depth] = parts[i]
            m = split(path, steps, "/")
            for (i = 1; i <= m; i++) {
                if (steps[i] == "..") depth--
                else if (steps[i] != ".") stack[++depth] = steps[i]
            }
            path = ""
            for (i = 1; i <= depth; i++) path = path (i > 1 ? "/" : "") stack[i]
            if (depth < 1) path = "../outside"
        }
        if (index(path, "/") > 0) { split(path, first, "/"); printf "%s\t%s\n", file, first[1] }
    }')

# Subsystems are handed what they need; only the root reaches the process state.
if grep -rlE --include='*.h' --include='*.cpp' '\bTheApp[[:space:]]*\(' . | grep -v '^\./app/'; then
    echo "layers: the files above call TheApp() outside the root" >&2
    status=1
fi

# Process-wide variables outside the root: at namespace level (no indent) or
# static inside a function. Constants are not state.
found="$(grep -rnE --include='*.h' --include='*.cpp' \
    -e '^(static |thread_local |inline )*[A-Za-z_][A-Za-z0-9_:<>,*() &]*[ *&][A-Za-z_][A-Za-z0-9_]*( *= *[^=;][^;]*| *\{[^}]*\})?;$' \
    -e '^[[:space:]]+(static|thread_local) +[A-Za-z_][A-Za-z0-9_:<>,* &]*[ *&][A-Za-z_][A-Za-z0-9_]*( *= *[^=;][^;]*| *\{[^}]*\})?;$' . |
    grep -vE '^[^:]+:[0-9]+:[[:space:]]*(static |thread_local )?(inline )?(constexpr|const |using|return|typedef|friend|extern|namespace|class|struct|enum|template)' |
    grep -vE ' (noexcept|override|final|const);$|\) *(const )?(noexcept )?(override )?= *(0|default|delete);$' |
    grep -vE '\(.*= ' | grep -v '^\./app/' |
    sed -E 's#^\./([^:]+):[0-9]+:([^=;{]*[ *&])?([A-Za-z_][A-Za-z0-9_]*) *(=.*|\{.*)?;$#\1 \3#' | sort || true)"
listed="$(grep -vE '^(#|$)' "$globals_list" | sort || true)"
new="$(comm -23 <(printf '%s\n' "$found" | sed '/^$/d') <(printf '%s\n' "$listed" | sed '/^$/d'))"
if [ -n "$new" ]; then
    while read -r file name; do
        echo "layers: src/$file keeps process-wide state in $name; hand it in through a context" >&2
    done <<<"$new"
    status=1
fi

[ "$status" -eq 0 ] && echo "layers: include direction ok"
exit "$status"
