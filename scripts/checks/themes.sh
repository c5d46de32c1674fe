#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tirel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The window keeps its own look whatever the desktop theme or widget style: starts the program
# under a private X server once per setting of the table below, grabs the client area below the
# menu bar and the About dialog, and requires each to match the default setting's grab at 99% of
# its pixels or more; text typed into a field must be dark ink on a white field.
# Set TIREL_SHOTS_DIR to keep the grabs as PNG files.
set -euo pipefail
script_name="themes check"
. "$(dirname "$0")/../lib/common.sh"
root="$tirel_root"
cd "$root"
program="$(realpath -m "${TIREL_BUILD_DIR:-build/release}/src/tirel")"
pixels=(python3 "$root/scripts/lib/pixels.py")

# name | environment | arguments. The first row is the reference.
settings=(
  "default||"
  "gtk3 Adwaita:dark|QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark|"
  "gtk3 HighContrast|QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=HighContrast|"
  "style fusion||-style fusion"
  "style windows||-style windows"
  "dark and windows|QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark|-style windows"
)
client_height=599 # 8985 twips below the menu bar
required=99
# The arithmetic a1 field, in client pixels: frame 160+150+555 twips across, 165+375+390 down.
field=(58 62 41 21)

[ -x "$program" ] || fail "no program at $program (build it first)"
need_tools Xvfb xdotool import convert python3

work="$(mktemp -d "${TMPDIR:-/tmp}/tirel-themes.XXXXXX")"
app_pid=
bus_pid=
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null || true
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
start_xvfb "$work"
private_runtime "$work"
# The gtk3 theme asks the session bus for settings: a private one keeps the host's out.
unset DBUS_SESSION_BUS_ADDRESS
if command -v dbus-daemon >/dev/null; then
  dbus-daemon --session --fork --print-address=4 --print-pid=5 4>"$work/bus.address" 5>"$work/bus.pid"
  bus_pid="$(cat "$work/bus.pid")"
  DBUS_SESSION_BUS_ADDRESS="$(cat "$work/bus.address")"
  export DBUS_SESSION_BUS_ADDRESS
fi

# Grabs window $1 into $2 once it is painted and two grabs in a row agree (a blinking caret aside).
grab_settled() {
  local previous="$work/previous.ppm"
  import -depth 8 -window "$1" "ppm:$previous"
  for _ in $(seq 30); do
    sleep 0.15
    import -depth 8 -window "$1" "ppm:$2"
    "${pixels[@]}" size "$2" >/dev/null && "${pixels[@]}" match "$previous" "$2" 0 99.95 >/dev/null &&
      return 0
    cp "$2" "$previous"
  done
  fail "the window at $1 never settled"
}

find_window() { # title pattern [seconds]; prints the id of the visible window with that title
  timeout "${2:-10}" xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -1
}

keep() { [ -n "${TIREL_SHOTS_DIR:-}" ] && mkdir -p "$TIREL_SHOTS_DIR" && convert "$1" "$TIREL_SHOTS_DIR/$2.png" || true; }

failures=0
index=0
for row in "${settings[@]}"; do
  IFS='|' read -r name environment arguments <<<"$row"
  tag="setting$index"
  # shellcheck disable=SC2086 # the table's words are meant to split
  env $environment "$program" $arguments >"$work/$tag.log" 2>&1 &
  app_pid=$!
  window="$(find_window '^Progressions - Inter')" || true
  [ -n "$window" ] || fail "$name: the main window did not appear: $(cat "$work/$tag.log")"

  grab_settled "$window" "$work/$tag-main.ppm"
  read -r width height < <("${pixels[@]}" size "$work/$tag-main.ppm")
  menu=$((height - client_height))
  [ "$width" -eq 619 ] && [ "$menu" -gt 0 ] || fail "$name: window is ${width}x$height"

  # Type into the arithmetic a1 field and judge the ink against the empty field.
  xdotool mousemove --window "$window" $((field[0] + field[2] / 2)) $((menu + field[1] + field[3] / 2)) click 1
  xdotool type --delay 20 "12345"
  sleep 0.3
  import -depth 8 -window "$window" "ppm:$work/$tag-typed.ppm"
  ok=yes
  typed="dark on white"
  "${pixels[@]}" ink "$work/$tag-main.ppm" "$work/$tag-typed.ppm" \
    $((field[0] + 3)) $((field[1] + 3)) $((field[2] - 6)) $((field[3] - 6)) "$client_height" || { ok=no; typed=WRONG; }

  # The About dialog, through the menu: Info, then its second item. A slow start of the pop-up
  # can swallow the keys, so the menu is tried again (a second click closes it, a third opens it).
  about=
  for _ in 1 2 3; do
    xdotool mousemove --window "$window" 15 $((menu / 2)) click 1
    sleep 0.3
    xdotool key Down Down Return
    about="$(find_window '^About Tirel$' 3)" || true
    [ -n "$about" ] && break
  done
  [ -n "$about" ] || fail "$name: the About dialog did not appear"
  grab_settled "$about" "$work/$tag-about.ppm"

  main_match="$("${pixels[@]}" match "$work/setting0-main.ppm" "$work/$tag-main.ppm" "$client_height" "$required")" || ok=no
  about_match="$("${pixels[@]}" match "$work/setting0-about.ppm" "$work/$tag-about.ppm" 0 "$required")" || ok=no
  printf '%-20s client area %6s%%   About dialog %6s%%   typed text %s\n' \
    "$name" "$main_match" "$about_match" "$typed"
  for shot in main typed about; do keep "$work/$tag-$shot.ppm" "${name// /-}-$shot"; done
  [ $ok = yes ] || failures=$((failures + 1))

  kill "$app_pid"
  wait "$app_pid" 2>/dev/null || true
  app_pid=
  index=$((index + 1))
done

[ "$failures" -eq 0 ] || fail "$failures setting(s) change the window's look"
echo "themes check passed"
