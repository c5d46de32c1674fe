#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tirel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Reads and drives the main window the way a screen reader does: over a private session bus and
# its own AT-SPI bus, on a private X server, once with a point locale and once with a comma
# locale. Skips only when the session or accessibility bus cannot start here.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root"
program="$(realpath -m "${TIREL_BUILD_DIR:-build/release}/src/tirel")"
# The system interpreter: the one with the AT-SPI bindings, whatever python3 PATH finds first.
python=/usr/bin/python3

fail() {
  echo "atspi check: $*" >&2
  exit 1
}
skip() {
  echo "atspi check: SKIPPED, $*"
  exit 0
}

[ -x "$program" ] || fail "no program at $program"
for tool in Xvfb dbus-run-session "$python"; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup.sh test installs it)"
done
"$python" -c 'import gi; gi.require_version("Atspi", "2.0"); from gi.repository import Atspi' ||
  fail "the AT-SPI bindings for $python are missing (scripts/setup.sh test installs them)"

dbus-run-session -- true 2>/dev/null || skip "a session bus cannot start here (dbus-run-session fails)"

work="$(mktemp -d "${TMPDIR:-/tmp}/tirel-atspi.XXXXXX")"
xvfb=
trap '[ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT

# A server of its own for each run; it picks a free display itself and tells its number, so
# checks running side by side never race for one. It must not reset when its last client leaves:
# the accessibility bus launcher comes and goes before the program connects.
start_x() {
  : >"$work/display"
  Xvfb -displayfd 3 -dpi 96 -screen 0 1280x1024x24 -nolisten tcp -noreset \
    3>"$work/display" 2>"$work/xvfb.log" &
  xvfb=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb" 2>/dev/null || { cat "$work/xvfb.log" >&2; fail "Xvfb did not start"; }
    sleep 0.1
  done
  [ -s "$work/display" ] || fail "Xvfb gave no display number"
  export DISPLAY=":$(head -1 "$work/display")"
}
stop_x() {
  kill -0 "$xvfb" 2>/dev/null || fail "Xvfb on $DISPLAY ended during the run"
  kill "$xvfb"
  wait "$xvfb" 2>/dev/null || true
  xvfb=
}

# LANG=C.UTF-8 gives the C locale's "." to the program; LC_ALL=ca_ES.UTF-8 Catalan's ",", which
# Qt takes from its own locale data, so the system needs no generated Catalan locale.
run() { # decimal separator, locale variables...
  local separator="$1"
  shift
  start_x
  set +e
  env -u LC_ALL -u LC_NUMERIC -u LANGUAGE "$@" \
    dbus-run-session -- "$python" tests/atspi/atspi_check.py "$program" "$separator" \
    >"$work/out" 2>"$work/err"
  local status=$?
  set -e
  cat "$work/out"
  stop_x
  case $status in
  0) ;;
  77) skip "the accessibility bus cannot start: $(tail -3 "$work/err")" ;;
  *)
    tail -20 "$work/err" >&2
    fail "faults with locale $* (status $status)"
    ;;
  esac
}

start=$SECONDS
run . LANG=C.UTF-8
run , LANG=C.UTF-8 LC_ALL=ca_ES.UTF-8
echo "atspi check: passed in $((SECONDS - start)) s"
