#!/bin/sh
# The layers point one way: platforms, the renderer and the pacer know
# nothing of the game's rules, and Qt stays in its three places.
#   architecture.sh SOURCE_DIR
cd "$1" || exit 2
fails=0
forbid() {  # forbid WHAT PATTERN DIR...
    what=$1 pattern=$2
    shift 2
    hits=$(grep -rnE "$pattern" "$@" 2>/dev/null)
    if [ -n "$hits" ]; then
        echo "FAIL: $what:"
        echo "$hits"
        fails=$((fails + 1))
    fi
}
RULES='#include "(game|tick|input|replay)/'
forbid "a platform includes game, tick, input or replay code" "$RULES" src/platform
forbid "the renderer includes game, tick, input or replay code" "$RULES" src/render
forbid "the pacer includes game, tick, input or replay code" "$RULES" src/pace
QT='#include ["<](Q[A-Za-z]|qt)'
outside_qt=$(find src app bench fuzz tests -type f \( -name '*.cpp' -o -name '*.h' \) \
    ! -path 'src/platform/qt/*' ! -path 'app/brontix/*' ! -path 'tests/qt/*' ! -path 'tests/e2e/*')
# shellcheck disable=SC2086
forbid "Qt outside platform/qt, app/brontix and the window tests" "$QT" $outside_qt
echo "$fails failed"
[ "$fails" -eq 0 ]
