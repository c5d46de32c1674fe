#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tirel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The Debian package and the desktop files, checked in one place: both desktop files validate
# without a remark; the package (of the build in TIREL_BUILD_DIR, else of a scratch release
# build) has its control fields, exactly its files, an installed entry that starts the installed
# program, an Info.bat beside the program that hands the installed help page to xdg-open, and
# passes lintian with no error, no warning and no override; it holds the copyright file, the
# changelog made from CHANGELOG.md and both manual pages, which man reads without a warning.
# Exits non-zero on the first failure; leaves nothing behind.
set -euo pipefail
script_name="package check"
. "$(dirname "$0")/../lib/common.sh"
root="$tirel_root"
cd "$root"
app_id=cat.tirel.tirel
need_tools desktop-file-validate appstreamcli cpack dpkg-deb lintian man dpkg-parsechangelog file

work="$(mktemp -d "${TMPDIR:-/tmp}/tirel-package.XXXXXX")"
trap 'rm -rf "$work"' EXIT

# The desktop files: not even a hint or a pedantic remark.
for command in "desktop-file-validate dist/$app_id.desktop" \
  "appstreamcli validate --pedantic --no-net --explain dist/$app_id.metainfo.xml"; do
  $command </dev/null >"$work/validate.log" 2>&1 || { cat "$work/validate.log" >&2; fail "$command failed"; }
  if grep -E '^(dist/|[EWIP]: )' "$work/validate.log" >&2; then
    fail "$command has remarks"
  fi
done
echo "desktop entry and metainfo validate clean"

echo "building the package"
if [ -n "${TIREL_BUILD_DIR:-}" ]; then
  build="$TIREL_BUILD_DIR"
else
  build="$work/build"
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >"$work/configure.log" ||
    { cat "$work/configure.log" >&2; fail "configure failed"; }
fi
cmake --build "$build" -j2 --target tirel >"$work/build.log" 2>&1 ||
  { tail -50 "$work/build.log" >&2; fail "build failed"; }
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
shopt -s nullglob
debs=("$work/package"/tirel_*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one tirel_*.deb, found ${#debs[@]}"
deb="${debs[0]}"
echo "built $(basename "$deb")"

# The control fields: name, the project's version without its build number, this machine's
# architecture, and dependencies on the Qt runtime and on the font packages the window maps to.
field() { dpkg-deb -f "$deb" "$1"; }
version="$(built_version "$build")"
[ "$(field Package)" = tirel ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', expected '$version'"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] ||
  fail "Architecture is '$(field Architecture)'"
depends="$(field Depends)"
echo "Depends: $depends"
for pkg in libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6 fonts-liberation fonts-urw-base35 \
  fonts-comic-neue; do
  # Debian 13 names its Qt Core library libqt6core6t64.
  tr ',' '\n' <<<"$depends" | sed -E 's/^ +//; s/[ (].*//' | grep -qxF -e "$pkg" -e "${pkg}t64" ||
    fail "Depends lacks $pkg"
done
for pkg in qt6-wayland xdg-utils; do
  tr ',' '\n' <<<"$(field Recommends)" | sed -E 's/^ +//; s/[ (].*//' | grep -qx "$pkg" ||
    fail "Recommends lacks $pkg: '$(field Recommends)'"
done
# grep reads to the end here: with pipefail, a grep -q that stops early would fail the pipeline
# through the writer's broken pipe whenever more lines follow the match.
dpkg-deb -I "$deb" | grep '^ Description: ' >/dev/null || fail "no Description"

# The file list: exactly what an install puts in place (scripts/lib/installed-files.txt).
scratch="$work/root"
dpkg-deb -x "$deb" "$scratch"
installed_files usr | LC_ALL=C sort >"$work/expected.txt"
(cd "$scratch" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) >"$work/actual.txt"
diff -u "$work/expected.txt" "$work/actual.txt" || fail "unexpected file list in the package"

# The program lives in its own folder, and the command on PATH is a link to it.
program="$scratch/usr/libexec/tirel/tirel"
[ "$(readlink "$scratch/usr/bin/tirel")" = ../libexec/tirel/tirel ] ||
  fail "usr/bin/tirel is not a link to ../libexec/tirel/tirel"
file -b "$program" | grep -qE '^ELF .* (pie )?executable' ||
  fail "usr/libexec/tirel/tirel is no executable: $(file -b "$program")"
[ -x "$program" ] || fail "usr/libexec/tirel/tirel is not executable"
if ldd "$program" | grep 'not found' >/dev/null; then
  ldd "$program" >&2
  fail "the program needs a library that is not installed"
fi
file -b "$scratch/usr/share/icons/hicolor/32x32/apps/tirel.png" | grep -q '^PNG image data, 32 x 32' ||
  fail "the hicolor 32x32 icon is not a 32 x 32 PNG"
file -b "$scratch/usr/share/icons/hicolor/scalable/apps/tirel.svg" | grep -qi 'SVG' ||
  fail "the scalable icon is not an SVG"

# "Info" starts the Info.bat beside the program: it hands the installed help page to xdg-open (a
# stand-in first on PATH that writes its arguments down) and nothing else.
mkdir "$work/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s"\n' "$work/opened" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
PATH="$work/bin:$PATH" "$scratch/usr/libexec/tirel/Info.bat" || fail "Info.bat ended with status $?"
# It returns at once, leaving xdg-open to run on.
for _ in $(seq 50); do [ -s "$work/opened" ] && break; sleep 0.1; done
page="$(realpath "$scratch/usr/share/doc/tirel/ajuda.html")"
[ "$(cat "$work/opened" 2>/dev/null)" = "$page" ] ||
  fail "Info.bat handed xdg-open '$(cat "$work/opened" 2>/dev/null)', not $page"
cmp -s "$page" dist/help/ajuda.html || fail "the installed help page is not dist/help/ajuda.html"
echo "Info.bat opens usr/share/doc/tirel/ajuda.html with xdg-open"

# The installed entry starts the installed program and names the installed icon.
entry="$scratch/usr/share/applications/$app_id.desktop"
desktop-file-validate "$entry"
grep -qx 'Exec=tirel' "$entry" || fail "the desktop entry does not start tirel"
grep -qx 'Icon=tirel' "$entry" || fail "the desktop entry does not name the tirel icon"
grep -qx 'Categories=Education;Math;' "$entry" || fail "wrong Categories"
# The whole installed tree: the metainfo, its launchable desktop entry and the icon together.
appstreamcli validate-tree --no-net --explain "$scratch/usr" </dev/null

echo "lintian $(basename "$deb")"
# Nothing is hidden from it: the package carries no override, and none is shown.
status=0
lintian --fail-on error,warning --info --show-overrides "$deb" >"$work/lintian.log" 2>&1 || status=$?
grep -v 'running with root privileges' "$work/lintian.log" || true
[ "$status" -eq 0 ] || fail "lintian found errors or warnings (status $status)"
if grep -E '^([EWO]): ' "$work/lintian.log" >&2; then
  fail "lintian reports the lines above"
fi

# The copyright file is machine-readable and names the program's licence and the one contact.
doc="$scratch/usr/share/doc/tirel"
head -n 1 "$doc/copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "the copyright file is not machine-readable"
grep -qx 'License: GPL-3.0-or-later' "$doc/copyright" || fail "the copyright file names no GPL-3.0-or-later"
grep -qxF "Upstream-Contact: $(field Maintainer)" "$doc/copyright" ||
  fail "the copyright file's contact is not the Maintainer, $(field Maintainer)"

# dist/debian/changelog is CHANGELOG.md in Debian's form: the same releases, dates and items,
# word for word, each date with its own day of the week.
awk '/^## [0-9]/ { if (item != "") print "* " item; item = ""; gsub(/[()]/, "", $3)
                   print "release " $2 " " $3; next }
     /^- / { if (item != "") print "* " item; item = substr($0, 3); next }
     /^  +[^ ]/ && item != "" { sub(/^ +/, ""); item = item " " $0 }
     END { if (item != "") print "* " item }' CHANGELOG.md >"$work/changelog.md.txt"
items=()
while IFS= read -r line; do
  case "$line" in
    [a-z]*) release="$(sed -E 's/^[^ ]+ \(([^)]+)\).*/\1/' <<<"$line")" items=() ;;
    "  * "*) items+=("${line#  \* }") ;;
    "    "*) items[-1]+=" ${line#"${line%%[! ]*}"}" ;;
    " -- "*)
      date="${line##*>  }"
      [ "$(LC_ALL=C date -u -d "$date" '+%a, %d %b %Y %T %z')" = "$date" ] ||
        fail "dist/debian/changelog: '$date' is not a date with its own day of the week"
      echo "release $release $(date -u -d "$date" +%F)"
      printf '* %s\n' "${items[@]}"
      ;;
  esac
done <dist/debian/changelog >"$work/changelog.debian.txt"
diff -u "$work/changelog.md.txt" "$work/changelog.debian.txt" >&2 ||
  fail "dist/debian/changelog does not say what CHANGELOG.md says"

# The changelog is the top release of CHANGELOG.md, for the package's version, signed by the
# same contact.
top="$(sed -nE 's/^## ([^ ]+) \(.*/\1/p' CHANGELOG.md | head -n 1)"
zcat "$doc/changelog.gz" >"$work/changelog"
logged="$(dpkg-parsechangelog -l "$work/changelog" -S Version)"
[ "$logged" = "$version" ] && [ "$top" = "$version" ] ||
  fail "versions differ: package $version, changelog.gz $logged, CHANGELOG.md $top"
[ "$(dpkg-parsechangelog -l "$work/changelog" -S Maintainer)" = "$(field Maintainer)" ] ||
  fail "the changelog is not signed by the Maintainer, $(field Maintainer)"

# Both pages render without a warning, as lintian's own reading does, and name the program.
for page in man1 ca/man1; do
  file="$scratch/usr/share/man/$page/tirel.1.gz"
  LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$file" >"$work/page.out" 2>"$work/page.err" ||
    fail "man cannot read $page/tirel.1.gz"
  [ ! -s "$work/page.err" ] || { cat "$work/page.err" >&2; fail "man warns about $page/tirel.1.gz"; }
  zcat "$file" | grep -qE '^tirel \\- ' || fail "$page/tirel.1.gz has no NAME line for tirel"
done
echo "the package holds the copyright file, the changelog and both manual pages"
echo "$script_name passed"
