#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tirel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds everything and runs every test headless; exits non-zero on any failure.
set -euo pipefail
script_name=test
. "$(dirname "$0")/lib/common.sh"
cd "$tirel_root"

# Each step's heading says how long the run has taken so far, to keep CI's budget in sight.
step() { printf '\n=== %s (at %d s)\n' "$*" "$SECONDS"; }
step "the packages of every list"
scripts/setup.sh test

# The static Qt for Windows, the Debian 13 environment and the static Qt for the web are most of
# a first run. Started now, in the background, they fill the cores that the builds, the suites
# and the checks below leave idle; the checks that need them wait on their cache's lock, and a
# cached Qt makes them return at once. A build that failed here is tried again, and reported,
# there.
mkdir -p build
# Each in a session of its own, so that an early end of the run stops its compilers too.
setsid scripts/windows.sh qt >build/windows-qt.log 2>&1 &
windows_qt=$!
setsid scripts/web.sh qt >build/web-qt.log 2>&1 &
web_qt=$!
trap 'kill -- -"$windows_qt" -"$web_qt" 2>/dev/null || true' EXIT

# The project's own builds below (the README's, the sanitizer's, the distribution's, the Windows
# one) compile through ccache, kept beside the static Qts: a run after another compiles only what
# changed. Paths are hashed relative to this clone, so every fresh clone under it shares the cache.
export CCACHE_DIR="${TIREL_CCACHE_DIR:-/var/cache/tirel-ccache}" CCACHE_MAXSIZE=2G
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache

step "format"
scripts/format.sh

# The README's install and package commands as written, in a fresh clone: the release preset
# with every target, warning-free, installed into a scratch prefix and packaged. Its test classes
# run on it, and the checks below start that build.
step "the README's install and package commands, in a fresh clone"
scripts/readme_commands.sh
export TIREL_BUILD_DIR="$PWD/build/clones/readme/build/release"
ctest --test-dir "$TIREL_BUILD_DIR" --output-on-failure

# The second compiler of the package lists must take every target without a warning too: the
# sanitizer build is clang's.
step "build with clang and test under AddressSanitizer + UndefinedBehaviorSanitizer"
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan

# Further checks, each its own script: what a screen reader sees, the quick bench, the fuzzer
# smoke run, the Debian package, a distribution's own build, the licences, the look under other
# themes, a Wayland session. Those that need the environment and the static Qts started above run
# last, the one whose Qt takes longest at the very end: Debian 13, the web, Windows.
last=(debian13 web windows)
for check in scripts/checks/*.sh; do
  [[ " ${last[*]} " == *" $(basename "$check" .sh) "* ]] && continue
  step "$(basename "$check" .sh)"
  bash "$check"
done
for name in "${last[@]}"; do
  step "$name"
  bash "scripts/checks/$name.sh"
done
step "all passed"
