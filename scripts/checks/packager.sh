#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tirel developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# A distribution's build, as Debian's packaging tools make it: the flags of dpkg-buildflags
# (hardening=+all, CPPFLAGS joined to the compiler flags as debhelper does for CMake), build type
# None, tests off with the standard BUILD_TESTING, prefix /usr, warnings as errors; then an
# install into a scratch DESTDIR. It must configure, build and install without a warning, never
# look for Qt6Test, add none of the project's own hardening flags beside the builder's, and
# install exactly the program with its Info.bat and the link to it, the desktop files, the icons,
# the manual pages and the documents.
set -euo pipefail
script_name="packager check"
. "$(dirname "$0")/../lib/common.sh"
cd "$tirel_root"
need_tools dpkg-buildflags cmake readelf

work="$(mktemp -d "${TMPDIR:-/tmp}/tirel-packager.XXXXXX")"
trap 'rm -rf "$work"' EXIT
started=$SECONDS

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
eval "$(dpkg-buildflags --export=sh)"
export CFLAGS="$CFLAGS $CPPFLAGS" CXXFLAGS="$CXXFLAGS $CPPFLAGS"

# Qt6Test disabled: a configure that still asked for it would fail here (and a configure that
# never does leaves the switch unused, which CMake would otherwise warn about).
cmake -S . -B "$work/build" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
  -DBUILD_TESTING=OFF -DTIREL_WERROR=ON -DCMAKE_DISABLE_FIND_PACKAGE_Qt6Test=ON \
  -DCMAKE_VERBOSE_MAKEFILE=ON --no-warn-unused-cli >"$work/configure.log" 2>&1 ||
  { tail -40 "$work/configure.log" >&2; fail "configure failed"; }
if grep -E '^CMake (Warning|Deprecation Warning)' "$work/configure.log" >&2; then
  fail "configure printed warnings"
fi
grep -q '^Qt6Test_DIR' "$work/build/CMakeCache.txt" && fail "Qt6Test was looked for"

cmake --build "$work/build" -j2 >"$work/build.log" 2>&1 ||
  { tail -60 "$work/build.log" >&2; fail "build failed"; }
if grep -E '(^|[: ])warning:' "$work/build.log" >&2; then
  fail "the build printed warnings"
fi
# The builder's own _FORTIFY_SOURCE and relro stand alone on every line.
if grep -E '_FORTIFY_SOURCE.*_FORTIFY_SOURCE|relro.*relro' "$work/build.log" >&2; then
  fail "the project added its hardening flags beside the builder's"
fi
if find "$work/build" -name '*Test' -type f -perm -u+x | grep . >&2; then
  fail "test programs were built with BUILD_TESTING=OFF"
fi

DESTDIR="$work/root" cmake --install "$work/build" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log" >&2; fail "install failed"; }
installed_files usr | LC_ALL=C sort >"$work/expected.txt"
(cd "$work/root" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) >"$work/actual.txt"
diff -u "$work/expected.txt" "$work/actual.txt" || fail "the install put other files in place"
[ "$(readlink "$work/root/usr/bin/tirel")" = ../libexec/tirel/tirel ] ||
  fail "usr/bin/tirel is not a link to ../libexec/tirel/tirel"
readelf -d "$work/root/usr/libexec/tirel/tirel" | grep -q 'BIND_NOW' ||
  fail "the builder's -z now did not reach the program"

echo "$script_name passed in $((SECONDS - started)) s: $(wc -l <"$work/actual.txt") files installed, no Qt6Test, no warning"
