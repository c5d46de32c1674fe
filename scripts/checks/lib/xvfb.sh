# SPDX-FileCopyrightText: 2026 Tirel developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# A private X server at 96 DPI for the scripts that drive the real program, sourced by them.
# It never resets, since a short-lived client leaving would otherwise make it refuse the next one.
# start_xvfb WORK starts it with its log in WORK, sets xvfb_pid and exports DISPLAY; the caller
# defines fail and kills xvfb_pid when it ends.
start_xvfb() {
  local work="$1"
  Xvfb -displayfd 3 -dpi 96 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" \
    2>"$work/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 50); do
    [ -s "$work/display" ] && break
    sleep 0.1
  done
  [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  DISPLAY=":$(head -1 "$work/display")"
  export DISPLAY
}
