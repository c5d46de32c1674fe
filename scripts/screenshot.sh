#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tirel developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Makes the README's picture from the real program: starts the release build under a private X
# server at 96 DPI in the Catalan locale, types a worked example into every solver by the
# keyboard alone (Tab moves along the window's focus order, Space presses the focused "Ok"), and
# grabs the window.
#   scripts/screenshot.sh [--interpolations] [OUTPUT]    (OUTPUT: docs/tirel.png by default)
# --interpolations types the two interpolation examples instead of the solvers'.
# TIREL_BUILD_DIR names another build folder (build/release by default; it is built first).
set -euo pipefail
script_name=screenshot
. "$(dirname "$0")/lib/common.sh"
root="$tirel_root"
cd "$root"

scene=solvers
if [ "${1:-}" = --interpolations ]; then
  scene=interpolations
  shift
fi
output="$(realpath -m "${1:-docs/tirel.png}")"
build="${TIREL_BUILD_DIR:-build/release}"

need_tools Xvfb xdotool import convert
if [ -z "${TIREL_BUILD_DIR:-}" ]; then
  cmake --preset release >/dev/null
fi
cmake --build "$build" -j2 --target tirel >/dev/null
program="$(realpath "$build/src/tirel")"

# control | what to type, or "press". The numbers are typed as a Catalan user types them.
if [ "$scene" = solvers ]; then
  steps=(
    "IdI(0)|1000" "IdI(1)|5" "IdI(2)|3" "OkInteres(0)|press"
    "IdI(4)|1000" "IdI(5)|10" "IdI(6)|2" "OkInteres(1)|press"
    "IdI(9)|10" "IdI(10)|2" "IdI(11)|100" "OkInteres(2)|press"
    "IdI(13)|10" "IdI(14)|2" "IdI(15)|121" "OkInteres(3)|press"
    "Id(0)|1" "Id(1)|2" "Id(2)|5" "OkAr|press"
    "Idg(0)|8" "Idg(1)|0,5" "Idg(2)|4" "OkGe|press"
  )
else
  steps=(
    "IdK|3" "IdA|1" "IdB|9" "Okab|press"
    "IdKg|3" "IdAg|2" "IdBg|32" "OkABg|press"
  )
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/tirel-screenshot.XXXXXX")"
app_pid=
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
start_xvfb "$work"
private_runtime "$work"

# LANG keeps the C library's own locale; LC_ALL gives the program Catalan numbers.
env -u LC_NUMERIC -u LANGUAGE LANG=C.UTF-8 LC_ALL=ca_ES.UTF-8 QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 \
  "$program" >"$work/program.log" 2>&1 &
app_pid=$!
window="$(timeout 15 xdotool search --sync --onlyvisible --name '^Progressions - Inter' 2>/dev/null | head -1)" || true
[ -n "$window" ] || fail "the window did not appear: $(cat "$work/program.log")"
# No window manager gives the window the keyboard: take it, leaving the program's own focus
# (the simple interest's rate field) where it is.
xdotool windowfocus --sync "$window"
sleep 0.5

for step in "${steps[@]}"; do
  IFS='|' read -r control action <<<"$step"
  focus_to "$control"
  if [ "$action" = press ]; then
    xdotool key space
  else
    xdotool type --delay 30 "$action"
  fi
  sleep 0.2
done
# Leave the focus where no caret blinks into the picture: on the last button pressed.
sleep 0.5
# A box that popped up means an example went wrong.
if [ "$(xdotool search --onlyvisible --name '.' 2>/dev/null | wc -l)" -gt 1 ]; then
  import -window root "$work/box.png" && cp "$work/box.png" "$output.failed.png"
  fail "a message box appeared; the screen is in $output.failed.png"
fi

mkdir -p "$(dirname "$output")"
import -window "$window" "$work/window.png"
# No time stamps or other chunks that would change the file without changing the picture.
convert "$work/window.png" -strip -define png:exclude-chunks=date,time "$output"
echo "wrote $output ($(identify -format '%w x %h' "$output"))"
