#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tirel developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# What a packager and a new user get: every file of the tree licensed (reuse lint); a Debian
# package that lintian passes with no error and no warning, its one override used and shown; the
# package holding the copyright file, the changelog made from CHANGELOG.md and both manual pages,
# which man reads without a warning; both desktop files validating without a remark; the README
# opening with the window's picture. Packages the release build of TIREL_BUILD_DIR when set,
# otherwise builds one in a scratch folder. Exits non-zero on the first failure.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root"
app_id=cat.tirel.tirel

work="$(mktemp -d "${TMPDIR:-/tmp}/tirel-release.XXXXXX")"
trap 'rm -rf "$work"' EXIT
fail() {
  echo "release check: $*" >&2
  exit 1
}
for tool in reuse lintian man dpkg-parsechangelog desktop-file-validate appstreamcli cpack; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup.sh test installs it)"
done

echo "reuse lint"
reuse lint >"$work/reuse.log" 2>&1 || { cat "$work/reuse.log" >&2; fail "reuse lint failed"; }
tail -n 1 "$work/reuse.log"

# The desktop files: not even a hint or a pedantic remark.
for command in "desktop-file-validate dist/$app_id.desktop" \
  "appstreamcli validate --pedantic --no-net dist/$app_id.metainfo.xml"; do
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
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTIREL_BUILD_TESTS=OFF \
    -DTIREL_BUILD_BENCH=OFF >"$work/configure.log" || { cat "$work/configure.log" >&2; fail "configure failed"; }
fi
cmake --build "$build" -j2 --target tirel >"$work/build.log" 2>&1 ||
  { tail -50 "$work/build.log" >&2; fail "build failed"; }
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
shopt -s nullglob
debs=("$work/package"/tirel_*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one tirel_*.deb, found ${#debs[@]}"
deb="${debs[0]}"

echo "lintian $(basename "$deb")"
# Two runs: the judging one (an override that is shown would count against --fail-on), and one
# that shows the override in use, with its reason.
status=0
lintian --fail-on error,warning --info "$deb" >"$work/lintian.log" 2>&1 || status=$?
grep -v 'running with root privileges' "$work/lintian.log" || true
[ "$status" -eq 0 ] || fail "lintian found errors or warnings (status $status)"
lintian --show-overrides "$deb" >"$work/overrides.log" 2>&1 || true
grep -E '^[NO]: ' "$work/overrides.log" || true
if grep -E '^[EW]: |unused-override|mismatched-override' "$work/lintian.log" "$work/overrides.log" >&2; then
  fail "lintian reports the lines above"
fi
grep -qE '^O: tirel: bogus-mail-host Maintainer ' "$work/overrides.log" ||
  fail "the placeholder address's override was not used"

scratch="$work/root"
dpkg-deb -x "$deb" "$scratch"
doc="$scratch/usr/share/doc/tirel"
for file in "$doc/copyright" "$doc/changelog.gz" "$scratch/usr/share/man/man1/tirel.1.gz" \
  "$scratch/usr/share/man/ca/man1/tirel.1.gz" "$scratch/usr/share/lintian/overrides/tirel"; do
  [ -f "$file" ] || fail "the package lacks ${file#"$scratch"/}"
done

# The one override, nothing else.
overrides="$(grep -vE '^[[:space:]]*(#|$)' "$scratch/usr/share/lintian/overrides/tirel")"
[ "$(wc -l <<<"$overrides")" -eq 1 ] && grep -qE '^tirel: bogus-mail-host( |$)' <<<"$overrides" ||
  fail "the override file holds more than the placeholder address's override: $overrides"

# The copyright file is machine-readable and names the program's licence.
head -n 1 "$doc/copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "the copyright file is not machine-readable"
grep -qx 'License: GPL-3.0-or-later' "$doc/copyright" || fail "the copyright file names no GPL-3.0-or-later"

# The changelog is the top release of CHANGELOG.md, for the package's version.
version="$(dpkg-deb -f "$deb" Version)"
top="$(sed -nE 's/^## ([^ ]+) \(.*/\1/p' CHANGELOG.md | head -n 1)"
zcat "$doc/changelog.gz" >"$work/changelog"
logged="$(dpkg-parsechangelog -l "$work/changelog" -S Version)"
[ "$logged" = "$version" ] && [ "$top" = "$version" ] ||
  fail "versions differ: package $version, changelog.gz $logged, CHANGELOG.md $top"

# Both pages render without a warning, as lintian's own reading does, and name the program.
for page in man1 ca/man1; do
  file="$scratch/usr/share/man/$page/tirel.1.gz"
  LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$file" >"$work/page.out" 2>"$work/page.err" ||
    fail "man cannot read $page/tirel.1.gz"
  [ ! -s "$work/page.err" ] || { cat "$work/page.err" >&2; fail "man warns about $page/tirel.1.gz"; }
  zcat "$file" | grep -qE '^tirel \\- ' || fail "$page/tirel.1.gz has no NAME line for tirel"
done
echo "the package holds the copyright file, the changelog and both manual pages"

# The README opens with the window's picture, a tracked PNG.
first="$(grep -vE '^(<!--|SPDX-|-->|[[:space:]]*$)' README.md | sed -n 2p)"
grep -qE '^!\[[^]]+\]\(docs/tirel\.png\)$' <<<"$first" ||
  fail "README.md does not open with docs/tirel.png under its title: '$first'"
git ls-files --error-unmatch docs/tirel.png >/dev/null 2>&1 || fail "docs/tirel.png is not in the tree"
file -b docs/tirel.png | grep -q '^PNG image data' || fail "docs/tirel.png is not a PNG"

echo "release check passed"
