#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Brontix developers
# SPDX-License-Identifier: MIT
# Runs a Windows program under Wine as the tests need it: in the prefix
# that `wine.sh --prefix` made (a folder of the build's, so that no test
# touches the user's own), quiet, without the .NET and HTML engines a
# prefix would otherwise offer to install, and never for more than
# WINE_SECONDS (120 unless told): a Wine that hangs fails its test.
#   wine.sh --prefix PREFIX          make the prefix, and start its server
#   wine.sh --stop PREFIX            stop its server, and remove the prefix
#   wine.sh PREFIX PROGRAM ARG...    run a program (Linux paths work)
set -u
WINE=/usr/lib/wine/wine64
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
case "${1:-}" in
--prefix)
    export WINEPREFIX="$2"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    timeout 300 "$WINE" wineboot --init >/dev/null 2>&1 || { echo "wine.sh: wineboot failed" >&2; exit 1; }
    # wineboot returns before the prefix is written out.
    timeout 120 /usr/lib/wine/wineserver -w
    # A server kept running saves every program a second of starting one;
    # it holds no test's output open, or the test would wait for it to end.
    /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
    # Nor may the system's own processes (services, devices), which the
    # first program starts and which then live as long as the server,
    # holding that program's output open: a test whose program came first
    # would wait for them until the prefix is removed. A program that does
    # nothing starts them here, on nothing. (With them comes the prefix's
    # desktop process, which tells every program the size of the screen it
    # started on: a prefix for windows is made on their display.)
    exec timeout 120 "$WINE" cmd.exe /c exit </dev/null >/dev/null 2>&1 ;;
--stop)
    export WINEPREFIX="$2"
    /usr/lib/wine/wineserver -k 2>/dev/null
    timeout 60 /usr/lib/wine/wineserver -w
    exec rm -rf "$WINEPREFIX" ;;
esac
export WINEPREFIX="$1"
shift
exec timeout "${WINE_SECONDS:-120}" "$WINE" "$@"
