#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tirel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds everything and runs every test headless; exits non-zero on any failure.
set -euo pipefail
script_name=test
. "$(dirname "$0")/lib/common.sh"
cd "$tirel_root"
scripts/setup.sh test

# Each step's heading says how long the run has taken so far, to keep CI's budget in sight.
step() { printf '\n=== %s (at %d s)\n' "$*" "$SECONDS"; }

# The two static Qt builds (Windows, web) are most of a first run. Started now, in the
# background, their configure steps and compiles fill the cores that the suites, the fuzzer and
# the checks below leave idle; the checks that need them wait on their cache's lock, and a cached
# Qt makes them return at once. A build that failed here is tried again, and reported, there.
mkdir -p build
# Each in a session of its own, so that an early end of the run stops its compilers too.
setsid scripts/windows.sh qt >build/windows-qt.log 2>&1 &
windows_qt=$!
setsid scripts/web.sh qt >build/web-qt.log 2>&1 &
web_qt=$!
trap 'kill -- -"$windows_qt" -"$web_qt" 2>/dev/null || true' EXIT

step "format"
scripts/format.sh

step "build and test (warnings as errors)"
cmake --preset dev >/dev/null
cmake --build --preset dev
ctest --preset dev

# The second compiler of the package lists must take every target without a warning too: the
# sanitizer build is clang's.
step "build with clang and test under AddressSanitizer + UndefinedBehaviorSanitizer"
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan

# The README's install and package commands as written: the release preset with every target,
# warning-free, installed into a scratch prefix and packaged. The checks below start that build.
step "the README's install and package commands"
scripts/readme_commands.sh
export TIREL_BUILD_DIR="$PWD/build/release"

# Further checks, each its own script: what a screen reader sees, the quick bench, the fuzzer smoke
# run, the Debian package, a distribution's own build, the licences, the look under other themes,
# a Wayland session, the Windows build.
for check in scripts/checks/*.sh; do
  [ -e "$check" ] || continue
  step "$(basename "$check" .sh)"
  bash "$check"
done
step "all passed"
