#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tirel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the benchmark and runs it on a private Xvfb (96 DPI, no window manager).
#   scripts/bench.sh [--preset release|dev | --build-dir DIR] [--quick] [--rounds N]
#                    [--no-startup] [--peers all|none|NAME,...] [--peer-rounds N]
#                    [--peer-timeout SECONDS]
# Every option but --preset and --build-dir goes to the benchmark; it prints one table and judges
# nothing. Without --quick it also installs the desktop calculators of packages/peers/ and
# measures them beside the program (all of them unless --peers says otherwise), each with a
# session bus of its own.
set -euo pipefail
cd "$(dirname "$0")/.."

preset=release
build_dir=
quick=
peers_given=
args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --preset) preset="$2"; shift 2 ;;
    --build-dir) build_dir="$2"; shift 2 ;;
    --quick) quick=1; args+=("$1"); shift ;;
    --peers) peers_given=1; args+=("$1" "$2"); shift 2 ;;
    *) args+=("$1"); shift ;;
  esac
done

scripts/setup.sh test
if [ -z "$quick" ]; then
  scripts/setup.sh peers
  [ -n "$peers_given" ] || args+=(--peers all)
fi
if [ -n "$build_dir" ]; then
  [ -f "$build_dir/CMakeCache.txt" ] || cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build_dir" -j2 --target tirel_bench tirel_floor tirel >/dev/null
else
  build_dir="build/$preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target tirel_bench tirel_floor tirel >/dev/null
fi
bench="$build_dir/bench/tirel_bench"
[ -x "$bench" ] || { echo "bench: $bench was not built (is libxcb-damage0-dev installed?)" >&2; exit 1; }

work="$(mktemp -d)"
xvfb_pid=
bus_pid=
cleanup() {
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number to the pipe.
mkfifo "$work/display"
Xvfb -displayfd 3 -dpi 96 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" \
  >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
if ! read -r -t 30 display <"$work/display"; then
  echo "bench: Xvfb did not start:" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi

mkdir -m 700 "$work/runtime"
export DISPLAY=":$display" XDG_RUNTIME_DIR="$work/runtime"
unset QT_QPA_PLATFORM QT_SCALE_FACTOR

# The peers' session bus; the program and the floor start without one, as before.
if [ -z "$quick" ] && command -v dbus-daemon >/dev/null; then
  if { read -r bus_address && read -r bus_pid; } < <(dbus-daemon --session --fork --nopidfile \
    --print-address=1 --print-pid=1); then
    export TIREL_BENCH_PEER_BUS="$bus_address"
  else
    echo "bench: no session bus for the peers; they start without one" >&2
  fi
fi
"$bench" "${args[@]}"
