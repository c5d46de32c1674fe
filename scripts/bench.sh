#!/usr/bin/env bash
# Builds the benchmark and runs it on a private Xvfb (96 DPI, no window manager).
#   scripts/bench.sh [--preset release|dev] [--quick] [--rounds N] [--no-startup]
# Every option but --preset goes to the benchmark; it prints one table and judges nothing.
set -euo pipefail
cd "$(dirname "$0")/.."

preset=release
args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --preset) preset="$2"; shift 2 ;;
    *) args+=("$1"); shift ;;
  esac
done

scripts/setup.sh test
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target tirel_bench tirel_floor tirel >/dev/null
bench="build/$preset/bench/tirel_bench"
[ -x "$bench" ] || { echo "bench: $bench was not built (is libxcb-damage0-dev installed?)" >&2; exit 1; }

work="$(mktemp -d)"
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number to the pipe.
mkfifo "$work/display"
Xvfb -displayfd 3 -dpi 96 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" \
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
"$bench" "${args[@]}"
