#!/bin/bash
# SPDX-FileCopyrightText: 2026 The Brontix developers
# SPDX-License-Identifier: MIT
# What a Windows player downloads: the zip holds the two programs, the
# README and the licence, and nothing else; each program imports only the
# system's own DLLs (no DLL of the compiler's to ship beside it) and carries
# the icon, its version and the manifest that makes it DPI-aware.
#   zip.sh ZIP VERSION
set -u
ZIP=$1
VERSION=$2
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
fails=0
bad() { echo "FAIL: $*"; fails=$((fails + 1)); }

DIR=brontix-$VERSION-windows-x86_64
python3 -c 'import sys, zipfile; z = zipfile.ZipFile(sys.argv[1]); z.extractall(sys.argv[2]); print("\n".join(sorted(n for n in z.namelist() if not n.endswith("/"))))' \
    "$ZIP" "$T" >"$T/list" || { echo "FAIL: $ZIP is no zip"; exit 1; }
expected=$(printf '%s\n' "$DIR/LICENSE.txt" "$DIR/README.md" "$DIR/brontix-replay.exe" "$DIR/brontix.exe" | sort)
[ "$(cat "$T/list")" = "$expected" ] || bad "the zip holds $(tr '\n' ' ' <"$T/list")"

SYSTEM='^(ADVAPI32|COMCTL32|GDI32|KERNEL32|USER32|msvcrt)\.dll$'
for exe in brontix brontix-replay; do
    file=$T/$DIR/$exe.exe
    x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/.*DLL Name: //p' >"$T/dlls"
    [ -s "$T/dlls" ] || bad "$exe.exe imports nothing: no PE file?"
    grep -Evq "$SYSTEM" "$T/dlls" && bad "$exe.exe needs $(grep -Ev "$SYSTEM" "$T/dlls" | tr '\n' ' ')"
    x86_64-w64-mingw32-windres -i "$file" -O rc >"$T/$exe.rc" 2>/dev/null || bad "$exe.exe has no resources"
    grep -q 'RT_GROUP_ICON' "$T/$exe.rc" || bad "$exe.exe has no icon"
    grep -q "VALUE \"ProductVersion\", \"$VERSION\"" "$T/$exe.rc" || bad "$exe.exe does not carry version $VERSION"
    grep -q "VALUE \"OriginalFilename\", \"$exe.exe\"" "$T/$exe.rc" || bad "$exe.exe names another file"
    grep -q 'RT_MANIFEST' "$T/$exe.rc" && grep -aq 'PerMonitorV2' "$file" && grep -aq 'Common-Controls' "$file" ||
        bad "$exe.exe has no manifest with its DPI awareness and the common controls"
done
echo "$fails failed"
[ "$fails" -eq 0 ]
