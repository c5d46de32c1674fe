#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tirel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Validates the desktop entry and the AppStream metainfo, builds the Debian package in a scratch
# folder, unpacks it into a scratch root and checks its files and its control fields.
# Exits non-zero on the first failure; leaves nothing behind.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
app_id=cat.tirel.tirel

work="$(mktemp -d "${TMPDIR:-/tmp}/tirel-package.XXXXXX")"
trap 'rm -rf "$work"' EXIT

fail() {
  echo "package check: $*" >&2
  exit 1
}

echo "validating the desktop entry and the metainfo"
desktop-file-validate "$root/dist/$app_id.desktop"
appstreamcli validate --no-net --explain "$root/dist/$app_id.metainfo.xml" </dev/null

echo "building the package"
cmake -S "$root" -B "$work/build" -DCMAKE_BUILD_TYPE=Release -DTIREL_BUILD_TESTS=OFF >"$work/configure.log" ||
  { cat "$work/configure.log" >&2; fail "configure failed"; }
cmake --build "$work/build" -j2 --target tirel >"$work/build.log" 2>&1 ||
  { tail -50 "$work/build.log" >&2; fail "build failed"; }
(cd "$work/build" && cpack -G DEB) >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }

shopt -s nullglob
debs=("$work/build"/tirel_*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one tirel_*.deb, found ${#debs[@]}"
deb="${debs[0]}"
echo "built $(basename "$deb")"

# The control fields: name, the project's version without its build number, this machine's
# architecture, and dependencies on the Qt runtime and on the font packages the window maps to.
field() { dpkg-deb -f "$deb" "$1"; }
version="$(sed -nE 's/^project\(Tirel VERSION ([0-9]+\.[0-9]+\.[0-9]+).*/\1/p' "$root/CMakeLists.txt")"
[ -n "$version" ] || fail "no project version in CMakeLists.txt"
[ "$(field Package)" = tirel ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', expected '$version'"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] ||
  fail "Architecture is '$(field Architecture)'"
depends="$(field Depends)"
echo "Depends: $depends"
for pkg in libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6 fonts-liberation fonts-comic-neue; do
  tr ',' '\n' <<<"$depends" | sed -E 's/^ +//; s/[ (].*//' | grep -qx "$pkg" ||
    fail "Depends lacks $pkg"
done
tr ',' '\n' <<<"$(field Recommends)" | sed -E 's/^ +//; s/[ (].*//' | grep -qx qt6-wayland ||
  fail "Recommends lacks qt6-wayland: '$(field Recommends)'"
# grep reads to the end here: with pipefail, a grep -q that stops early would fail the pipeline
# through the writer's broken pipe whenever more lines follow the match.
dpkg-deb -I "$deb" | grep '^ Description: ' >/dev/null || fail "no Description"

# The file list: exactly the program, the desktop entry, the metainfo, the two icons, the two
# manual pages, the copyright file, the changelog and the lintian override.
scratch="$work/root"
dpkg-deb -x "$deb" "$scratch"
expected="$work/expected.txt"
actual="$work/actual.txt"
cat >"$expected" <<EOF
usr/bin/tirel
usr/share/applications/$app_id.desktop
usr/share/doc/tirel/changelog.gz
usr/share/doc/tirel/copyright
usr/share/icons/hicolor/32x32/apps/tirel.png
usr/share/icons/hicolor/scalable/apps/tirel.svg
usr/share/lintian/overrides/tirel
usr/share/man/ca/man1/tirel.1.gz
usr/share/man/man1/tirel.1.gz
usr/share/metainfo/$app_id.metainfo.xml
EOF
(cd "$scratch" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) >"$actual"
diff -u "$expected" "$actual" || fail "unexpected file list in the package"

file -b "$scratch/usr/bin/tirel" | grep -q '^ELF .* executable' ||
  file -b "$scratch/usr/bin/tirel" | grep -q '^ELF .* pie executable' ||
  fail "usr/bin/tirel is no executable: $(file -b "$scratch/usr/bin/tirel")"
[ -x "$scratch/usr/bin/tirel" ] || fail "usr/bin/tirel is not executable"
if ldd "$scratch/usr/bin/tirel" | grep 'not found' >/dev/null; then
  ldd "$scratch/usr/bin/tirel" >&2
  fail "the program needs a library that is not installed"
fi
file -b "$scratch/usr/share/icons/hicolor/32x32/apps/tirel.png" | grep -q '^PNG image data, 32 x 32' ||
  fail "the hicolor 32x32 icon is not a 32 x 32 PNG"
file -b "$scratch/usr/share/icons/hicolor/scalable/apps/tirel.svg" | grep -qi 'SVG' ||
  fail "the scalable icon is not an SVG"

# The installed entry starts the installed program and names the installed icon.
entry="$scratch/usr/share/applications/$app_id.desktop"
desktop-file-validate "$entry"
grep -qx 'Exec=tirel' "$entry" || fail "the desktop entry does not start tirel"
grep -qx 'Icon=tirel' "$entry" || fail "the desktop entry does not name the tirel icon"
grep -qx 'Categories=Education;Math;' "$entry" || fail "wrong Categories"
# The whole installed tree: the metainfo, its launchable desktop entry and the icon together.
appstreamcli validate-tree --no-net --explain "$scratch/usr" </dev/null

echo "package check passed"
