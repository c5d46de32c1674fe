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
script_name=bench
. "$(dirname "$0")/lib/common.sh"
cd "$tirel_root"

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
  # The benchmark is built only where a build asks for it.
  if [ ! -f "$build_dir/CMakeCache.txt" ] || ! grep -qx 'TIREL_BUILD_BENCH:BOOL=ON' "$build_dir/CMakeCache.txt"; then
    cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DTIREL_BUILD_BENCH=ON >/dev/null
  fi
  cmake --build "$build_dir" -j2 --target tirel_bench tirel_floor tirel >/dev/null
else
  build_dir="build/$preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target tirel_bench tirel_floor tirel >/dev/null
fi
bench="$build_dir/bench/tirel_bench"
[ -x "$bench" ] || fail "$bench was not built (is libxcb-damage0-dev installed?)"

work="$(mktemp -d)"
bus_pid=
cleanup() {
  [ -z "$bus_pid" ] || kill "$bus_pid" 2>/dev/null || true
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
start_xvfb "$work"

private_runtime "$work"
unset QT_QPA_PLATFORM QT_SCALE_FACTOR

# The peers' session bus; the program and the floor start without one, as before.
if [ -z "$quick" ] && command -v dbus-daemon >/dev/null; then
  if { read -r bus_address && read -r bus_pid; } < <(dbus-daemon --session --fork --nopidfile \
    --print-address=1 --print-pid=1); then
    export TIREL_BENCH_PEER_BUS="$bus_address"
  else
    log "no session bus for the peers; they start without one"
  fi
fi
"$bench" "${args[@]}"
