#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tirel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The program on a Wayland desktop: starts a headless weston with a private runtime folder and
# runs the real program on Qt's wayland platform plugin with a probe loaded through Qt's generic
# plugin hook (tests/window_system/). The probe checks the 619 x 599 client area below the menu bar,
# types into the arithmetic row and presses its "Ok", opens the About dialog, and closes the main
# window and then the dialog; the program must then end by itself with exit status 0.
# Skips only when the compositor cannot start here.
set -euo pipefail
script_name="wayland check"
. "$(dirname "$0")/../lib/common.sh"
root="$tirel_root"
cd "$root"
build="$(realpath -m "${TIREL_BUILD_DIR:-build/release}")"
program="$build/src/tirel"
plugins="$build/tests/plugins"

[ -x "$program" ] || fail "no program at $program (build it first)"
[ -e "$plugins/generic/libtirel_window_system_probe.so" ] || fail "no probe in $plugins/generic (build the tests)"
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
  fail "Qt's wayland platform plugin is missing (package qt6-wayland)"
if ! command -v weston >/dev/null; then
  skip "weston is not installed, so no compositor can start"
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/tirel-wayland.XXXXXX")"
weston_pid=
app_pid=
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

private_runtime "$work"
socket=tirel-wayland
unset DISPLAY WAYLAND_DISPLAY
weston --backend=headless-backend.so --socket="$socket" --width=1280 --height=1024 --idle-time=0 \
  >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
  [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
  kill -0 "$weston_pid" 2>/dev/null || break
  sleep 0.1
done
if [ ! -S "$XDG_RUNTIME_DIR/$socket" ]; then
  skip "the headless compositor did not start: $(tail -5 "$work/weston.log")"
fi

# Headless weston has no seat; Qt 6.4's Wayland text-input context then follows a missing input
# device on a click into a field, so the run goes without an input method.
start=$(date +%s%N)
status=0
WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland QT_IM_MODULE=none QT_PLUGIN_PATH="$plugins" \
  QT_QPA_GENERIC_PLUGINS=tirelprobe timeout 30 "$program" >"$work/tirel.log" 2>&1 &
app_pid=$!
wait "$app_pid" || status=$?
app_pid=
grep '^wayland probe:' "$work/tirel.log" || true
grep -q '^wayland probe: closed the last window$' "$work/tirel.log" ||
  { cat "$work/tirel.log" >&2; fail "the probe did not get through its steps"; }
[ "$status" -eq 0 ] || { cat "$work/tirel.log" >&2; fail "the program ended with status $status"; }
echo "the program ended by itself with status 0, $((($(date +%s%N) - start) / 1000000)) ms after its start"
echo "$script_name passed"
