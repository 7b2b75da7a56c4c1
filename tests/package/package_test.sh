#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Brontix developers
# SPDX-License-Identifier: MIT
# Builds the Debian package from a finished build and checks what it holds
# and what it depends on.
BUILD=$1
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
(cd "$BUILD" && cpack -G DEB -B "$T" >"$T/cpack.log" 2>&1) || { cat "$T/cpack.log"; exit 1; }
DEB=$(ls "$T"/brontix_*.deb 2>/dev/null | head -1)
[ -n "$DEB" ] || { echo "FAIL: no package made"; cat "$T/cpack.log"; exit 1; }
dpkg-deb -c "$DEB" | awk '{print $6}' >"$T/files"
fails=0
for f in ./usr/games/brontix ./usr/share/applications/org.brontix.Brontix.desktop \
    ./usr/share/man/man6/brontix.6.gz ./usr/share/doc/brontix/copyright ./usr/share/doc/brontix/changelog.gz \
    ./usr/share/metainfo/org.brontix.Brontix.metainfo.xml \
    ./usr/share/mime/packages/org.brontix.Brontix.xml \
    ./usr/share/icons/hicolor/scalable/apps/brontix.svg \
    ./usr/share/icons/hicolor/16x16/apps/brontix.png \
    ./usr/share/icons/hicolor/256x256/apps/brontix.png; do
    grep -qx "$f" "$T/files" || { echo "FAIL: $f is not in the package"; fails=$((fails + 1)); }
done
# Recordings are a type of their own, and the desktop entry opens them.
dpkg-deb -x "$DEB" "$T/root"
type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$T/root/usr/share/mime/packages/org.brontix.Brontix.xml")
grep -q '<glob pattern="\*\.brontix"/>' "$T/root/usr/share/mime/packages/org.brontix.Brontix.xml" ||
    { echo "FAIL: *.brontix is not the recordings' pattern"; fails=$((fails + 1)); }
grep -qx "MimeType=$type;" "$T/root/usr/share/applications/org.brontix.Brontix.desktop" &&
    grep -qx 'Exec=brontix %f' "$T/root/usr/share/applications/org.brontix.Brontix.desktop" ||
    { echo "FAIL: the desktop entry does not open $type files"; fails=$((fails + 1)); }
depends=$(dpkg-deb -f "$DEB" Depends)
for lib in libqt6widgets6 libqt6gui6 libqt6core6; do
    echo "$depends" | grep -q "$lib" || { echo "FAIL: Depends lacks $lib: $depends"; fails=$((fails + 1)); }
done
if grep -q "brontix-replay\|_tests\|bench" "$T/files"; then
    echo "FAIL: test or tool programs in the package"
    fails=$((fails + 1))
fi
recommends=$(dpkg-deb -f "$DEB" Recommends)
echo "$recommends" | grep -q qt6-wayland || { echo "FAIL: Recommends lacks qt6-wayland: $recommends"; fails=$((fails + 1)); }
# Debian's own check of a package: no error and no warning.
lintian --tag-display-limit 0 "$DEB" >"$T/lintian" 2>&1
if grep -qE '^[EW]: ' "$T/lintian"; then
    echo "FAIL: lintian:"
    grep -E '^[EW]: ' "$T/lintian"
    fails=$((fails + 1))
fi
echo "package: $(basename "$DEB")"
echo "Depends: $depends"
echo "$fails failed"
[ "$fails" -eq 0 ]
