#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Brontix developers
# SPDX-License-Identifier: MIT
# The layers point one way:
#   scene  <  render  <  session  <  front ends (platform/, replay/, app/)
#   scene  <  rules (game/, tick/, input/)  <  session
# Each folder includes only its own layer and those below it; no front end
# includes the rules; Qt stays in the Qt front end, its app and its tests.
#   architecture.sh SOURCE_DIR
cd "$1" || exit 2
fails=0
# layer WHAT ALLOWED DIR...: every project include in DIR names a folder in
# ALLOWED (a list of folder names separated by |).
layer() {
    what=$1 allowed=$2
    shift 2
    hits=$(grep -rnE '#include "[a-z_]+/' "$@" 2>/dev/null |
        grep -vE "#include \"($allowed)/")
    if [ -n "$hits" ]; then
        echo "FAIL: $what:"
        echo "$hits"
        fails=$((fails + 1))
    fi
}
layer "the scene model includes only itself" "scene" src/scene
layer "the renderer includes only the scene model" "scene|render" src/render
layer "the rules include only the scene model and themselves" "scene|game|tick|input" \
    src/game src/tick src/input
layer "the session includes no front end" "scene|render|game|tick|input|session" src/session
layer "a front end includes no rules" "scene|render|session|platform|replay" \
    src/platform src/replay app
QT='#include ["<](Q[A-Za-z]|qt)'
outside_qt=$(find src app bench fuzz tests -type f \( -name '*.cpp' -o -name '*.h' \) \
    ! -path 'src/platform/qt/*' ! -path 'app/brontix/*' ! -path 'tests/qt/*' ! -path 'tests/e2e/*')
# shellcheck disable=SC2086
hits=$(grep -nE "$QT" $outside_qt 2>/dev/null)
if [ -n "$hits" ]; then
    echo "FAIL: Qt outside platform/qt, app/brontix and the window tests:"
    echo "$hits"
    fails=$((fails + 1))
fi
echo "$fails failed"
[ "$fails" -eq 0 ]
