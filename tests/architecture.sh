#!/bin/bash
# SPDX-FileCopyrightText: 2026 The Brontix developers
# SPDX-License-Identifier: MIT
# The layers point one way. One table below says which folders make up each
# layer, which layers it may include, and which system headers it may use;
# every check is derived from it:
# - every #include "..." of a file, resolved (relative ones against the
#   file's folder, the rest against src/), names a file of a layer it may
#   include;
# - every #include <...> is of a kind of system header its layer may use;
# - every source file under src/ and app/ is in a folder the table names;
# - Qt appears only in the Qt front end, its app and its tests;
# - given the layers' archives, no archive needs a symbol that only a layer
#   it may not use defines: what the linker would take from a wrong layer.
#   architecture.sh SOURCE_DIR [LAYER=ARCHIVE...]
#   architecture.sh --self-test SOURCE_DIR
#     (the tree must pass, and each of four wrong arrows put into a copy of
#     it must fail)
set -u

# layer | its folders | the layers it may include | the system headers it may use
TABLE='
scene   | src/scene                           | scene                              | std
render  | src/render                          | scene render                       | std
rules   | src/game src/tick src/input         | scene rules                        | std
session | src/session                         | scene render rules session         | std
script  | src/script                          | scene render session script        | std
replay  | src/replay                          | scene render session script replay | std
viewer  | src/viewer                          | scene render session script replay viewer | std
qt      | src/platform/qt                     | scene render session script viewer qt | std qt x11 posix
web     | src/platform/web                    | scene render session web           | std
win32   | src/platform/win32                  | scene render session script replay viewer win32 | std win32
game    | app/brontix                         | session viewer qt                  | std qt
page    | app/web                             | scene render session viewer web    | std
replay-app | app/replay                       | replay                             | std posix win32
windows | app/brontix-win32                   | session viewer win32               | std win32
wasm    | app/wasm                            |                                    | std
legend  | app/legend                          | session                            | std
'
# The kinds of system header, as patterns of what stands between < and >.
declare -A KIND=(
    [std]='^[a-z_]+$'
    [qt]='^Q[A-Za-z]+$|^Qt[A-Za-z]+/'
    [x11]='^(xcb|X11)/'
    [posix]='^(unistd|fcntl|poll|signal)\.h$|^sys/[a-z_]+\.h$'
    [win32]='^(windows|windowsx|commctrl|io)\.h$'
)

check() {
    local root=$1
    shift
    local pairs=() pair
    for pair in "$@"; do pairs+=("${pair%%=*}=$(realpath "${pair#*=}")"); done
    set -- "${pairs[@]}"
    cd "$root" || return 2
    local fails=0
    declare -A layerOf allowed headers
    local name folders uses kinds f
    while IFS='|' read -r name folders uses kinds; do
        name=$(echo $name)
        [ -n "$name" ] || continue
        for f in $folders; do layerOf[$f]=$name; done
        allowed[$name]=" $(echo $uses) "
        headers[$name]=$(echo $kinds)
    done <<<"$TABLE"

    # The layer a file belongs to: its longest folder in the table.
    layer_of() {
        local dir
        dir=$(dirname "$1")
        while [ "$dir" != . ] && [ "$dir" != / ]; do
            [ -n "${layerOf[$dir]:-}" ] && { echo "${layerOf[$dir]}"; return; }
            dir=$(dirname "$dir")
        done
    }
    say() {
        echo "FAIL: $*"
        fails=$((fails + 1))
    }

    local file layer target tl header kind ok
    while IFS= read -r file; do
        layer=$(layer_of "$file")
        if [ -z "$layer" ]; then
            say "$file is in a folder no layer names"
            continue
        fi
        while IFS= read -r target; do
            if [[ "$target" == .* ]] || [ -e "$(dirname "$file")/$target" ]; then
                target=$(realpath -m --relative-to=. "$(dirname "$file")/$target")
            else
                target=src/$target
            fi
            tl=$(layer_of "$target")
            if [ -z "$tl" ]; then
                say "$file ($layer) includes $target, which is in no layer"
            elif [[ "${allowed[$layer]}" != *" $tl "* ]]; then
                say "$file ($layer) includes $target ($tl)"
            fi
        done < <(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/p' "$file")
        while IFS= read -r header; do
            ok=false
            for kind in ${headers[$layer]}; do
                [[ "$header" =~ ${KIND[$kind]} ]] && ok=true
            done
            $ok || say "$file ($layer) includes <$header>, not a header of ${headers[$layer]}"
        done < <(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*<([^>]+)>.*/\1/p' "$file")
    done < <(find src app -type f \( -name '*.cpp' -o -name '*.h' \) | sort)

    local hits
    hits=$(find src app bench fuzz tests -type f \( -name '*.cpp' -o -name '*.h' \) \
        ! -path 'src/platform/qt/*' ! -path 'app/brontix/*' ! -path 'tests/qt/*' ! -path 'tests/e2e/*' \
        -exec grep -lE '#include ["<](Q[A-Za-z]|qt)' {} + 2>/dev/null)
    [ -z "$hits" ] || say "Qt outside platform/qt, app/brontix and the window tests: $hits"

    # What each archive needs from outside itself must be defined in a layer
    # it may use (or outside the project).
    local archive other
    declare -A defines
    for pair in "$@"; do
        # Strong definitions only: inline functions and templates are
        # defined (weakly) wherever they are used.
        defines[${pair%%=*}]=$(nm --defined-only -g "${pair#*=}" 2>/dev/null |
            awk 'NF == 3 && $2 ~ /^[TDBR]$/ {print $3}' | sort -u)
    done
    for pair in "$@"; do
        layer=${pair%%=*}
        archive=${pair#*=}
        local needed
        needed=$(nm -u "$archive" 2>/dev/null | awk '$1 == "U" {print $2}' | sort -u)
        for other in "${!defines[@]}"; do
            [[ "${allowed[$layer]}" == *" $other "* ]] && continue
            local wrong
            wrong=$(comm -12 <(echo "$needed") <(echo "${defines[$other]}") | head -3)
            [ -z "$wrong" ] || say "the $layer layer uses the $other layer's code: $(echo "$wrong" | c++filt | tr '\n' ' ')"
        done
    done
    echo "$fails failed"
    [ "$fails" -eq 0 ]
}

if [ "${1:-}" != --self-test ]; then
    check "$@"
    exit
fi

# The tree passes; each wrong arrow in a copy of it fails.
root=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
( check "$root" >"$tmp/tree.log" ) || { cat "$tmp/tree.log"; echo "FAIL: the tree itself"; exit 1; }
selfFails=0
wrong() {
    local what=$1 file=$2 line=$3
    rm -rf "$tmp/copy"
    mkdir -p "$tmp/copy"
    cp -r "$root/src" "$root/app" "$root/bench" "$root/fuzz" "$root/tests" "$tmp/copy"
    mkdir -p "$(dirname "$tmp/copy/$file")"
    echo "$line" >>"$tmp/copy/$file"
    if ( check "$tmp/copy" >"$tmp/copy.log" ); then
        echo "FAIL: $what passes the check"
        selfFails=$((selfFails + 1))
    else
        echo "caught: $what: $(grep -m1 FAIL "$tmp/copy.log")"
    fi
}
wrong "a new folder that includes the Qt front end" src/extra/extra.cpp '#include "platform/qt/qt_game.h"'
wrong "the page's front end including the Qt one" src/platform/web/web_host.cpp '#include "platform/qt/qt_host.h"'
wrong "a relative include of the session in the renderer" src/render/scene_renderer.cpp '#include "../session/session.h"'
wrong "X11 in the renderer" src/render/scene_renderer.cpp '#include <xcb/xcb.h>'
echo "4 wrong arrows: $((4 - selfFails)) caught, $selfFails missed"
[ "$selfFails" -eq 0 ]
