#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tirel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Reads and drives the main window the way a screen reader does: over a private session bus and
# its own AT-SPI bus, on a private X server, once with a point locale and once with a comma
# locale. Skips only when the session or accessibility bus cannot start here.
set -euo pipefail
script_name="atspi check"
. "$(dirname "$0")/../lib/common.sh"
root="$tirel_root"
cd "$root"
program="$(realpath -m "${TIREL_BUILD_DIR:-build/release}/src/tirel")"
# The system interpreter: the one with the AT-SPI bindings, whatever python3 PATH finds first.
python=/usr/bin/python3

[ -x "$program" ] || fail "no program at $program"
need_tools Xvfb dbus-run-session "$python"
"$python" -c 'import gi; gi.require_version("Atspi", "2.0"); from gi.repository import Atspi' ||
  fail "the AT-SPI bindings for $python are missing (scripts/setup.sh test installs them)"

dbus-run-session -- true 2>/dev/null || skip "a session bus cannot start here (dbus-run-session fails)"

work="$(mktemp -d "${TMPDIR:-/tmp}/tirel-atspi.XXXXXX")"
trap 'stop_xvfb; rm -rf "$work"' EXIT

# A server of its own for each run. It must not reset when its last client leaves: the
# accessibility bus launcher comes and goes before the program connects.
stop_x() {
  kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb on $DISPLAY ended during the run"
  stop_xvfb
}

# LANG=C.UTF-8 gives the C locale's "." to the program; LC_ALL=ca_ES.UTF-8 Catalan's ",", which
# Qt takes from its own locale data, so the system needs no generated Catalan locale.
run() { # decimal separator, locale variables...
  local separator="$1"
  shift
  : >"$work/display"
  start_xvfb "$work"
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
echo "$script_name: passed in $((SECONDS - start)) s"
