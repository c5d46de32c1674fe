#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tirel developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Tirel in a browser: scripts/web.sh builds the static Qt for WebAssembly (the first time only;
# later runs reuse its cache), the program and the core test programs, and packs the folder and
# its zip. Then:
#  - the core CTest suites, built for WebAssembly, run under node;
#  - the page, served compressed by its own serve.py, in headless chromium driven through the
#    DevTools protocol (tests/web/page_check.js, puppeteer-core from tests/web/package-lock.json)
#    in a Catalan and an English browser: the window appears, a1 = 1, d = 2, n = 5 and "Ok" give 9
#    and 25, a compound interest gives its 15 digits with the locale's separator, too few data show
#    "Dades insuficients", a box stays modal in the middle of a press (earlier writes shown behind
#    it, later ones only after it), "Info" opens the help page the folder carries, nothing comes
#    from outside the folder, every field lies where the Linux window (the release build under
#    Xvfb) has it, the window has no close button, and a screen reader finds every control named
#    as on the desktop, in the window's Tab order, and is told each box's title and text; on a
#    phone (390 x 844, touch) the whole window fits, a tap on a field opens a decimal keyboard, and
#    taps and typed keys solve;
#  - offline after one visit: Chromium finds the page installable, and with the network off it
#    reloads from its service worker and solves (tests/web/offline_check.js);
#  - the load benchmark against a bare Qt page (bench/web/load_bench.js): its figures, never a
#    failure on a timing.
# The screenshots stay in build/clones/web/build/web/shots (TIREL_WEB_SHOTS moves them).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
script_name="web check"
. "$root/scripts/lib/common.sh"
cd "$root"
# The README's web command, as a newcomer runs it: in a fresh clone, into its build/web.
clone="$root/build/clones/web"
build="$clone/build/web"
program="$(realpath -m "${TIREL_BUILD_DIR:-build/release}/src/tirel")"
shots="$(realpath -m "${TIREL_WEB_SHOTS:-$build/shots}")"
need_tools node npm chromium python3 xdotool import ctest
[ -x "$program" ] || fail "$program is missing (the release build the checks use)"

fresh_clone "$clone"
mkdir -p "$(dirname "$build")"
started=$SECONDS
(cd "$clone" && env -u TIREL_WEB_BUILD scripts/web.sh) >"$build.log" 2>&1 ||
  { tail -40 "$build.log" >&2; fail "scripts/web.sh failed (log: $build.log)"; }
zip="$(tail -1 "$build.log")"
stage="${zip%.zip}"
echo "static Qt, web build and folder: $((SECONDS - started)) s ($(basename "$zip"))"

started=$SECONDS
(cd "$build" && ctest --output-on-failure --timeout 600) || fail "the core suites failed under node"
echo "core suites under node: $((SECONDS - started)) s"

# puppeteer-core as the lock file pins it, into the build folder, again only when the lock
# changes; it never downloads a browser, it drives Debian's.
modules="$build/npm"
digest="$(cat tests/web/package.json tests/web/package-lock.json | sha256sum | cut -c1-16)"
if [ "$(cat "$modules/.digest" 2>/dev/null)" != "$digest" ]; then
  rm -rf "$modules"
  mkdir -p "$modules"
  cp tests/web/package.json tests/web/package-lock.json "$modules/"
  (cd "$modules" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --ignore-scripts --no-audit --no-fund) >&2 ||
    fail "npm ci failed"
  echo "$digest" >"$modules/.digest"
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/tirel-web.XXXXXX")"
app_pid=
server_pid=
cleanup() {
  [ -z "$app_pid" ] || kill "$app_pid" 2>/dev/null || true
  [ -z "$server_pid" ] || kill "$server_pid" 2>/dev/null || true
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT

# The Linux window in the Catalan locale, the picture the page's layout is held to.
start_xvfb "$work"
env -u LC_ALL -u LC_NUMERIC LANG=ca_ES.UTF-8 "$program" >"$work/linux.log" 2>&1 &
app_pid=$!
window="$(timeout 20 xdotool search --sync --onlyvisible --name '^Progressions - Inter' 2>/dev/null | head -1)" ||
  true
[ -n "$window" ] || fail "the Linux window did not appear: $(cat "$work/linux.log")"
# Once painted, two grabs in a row agree.
import -depth 8 -window "$window" "ppm:$work/previous.ppm"
for _ in $(seq 20); do
  sleep 0.3
  import -depth 8 -window "$window" "ppm:$work/linux.ppm"
  cmp -s "$work/previous.ppm" "$work/linux.ppm" && break
  mv "$work/linux.ppm" "$work/previous.ppm"
done
[ -s "$work/linux.ppm" ] || mv "$work/previous.ppm" "$work/linux.ppm"

# The Linux program's boxes, the pictures the page's boxes are held to: the same presses made
# by the keyboard, each box grabbed (it has no frame here, with no window manager) and closed.
xdotool windowfocus --sync "$window"
sleep 0.3
linux_box() { # name, title, then control|text or control|press steps
  local name="$1" title="$2" step control action box
  shift 2
  for step in "$@"; do
    IFS='|' read -r control action <<<"$step"
    if [ "$control" = menu ]; then
      xdotool mousemove --window "$window" 15 10 click 1 sleep 0.3 key Down Return
      continue
    fi
    focus_to "$control"
    if [ "$action" = press ]; then xdotool key space; else xdotool type --delay 30 "$action"; fi
    sleep 0.1
  done
  box="$(timeout 10 xdotool search --sync --onlyvisible --name "^$title\$" 2>/dev/null | head -1)" ||
    true
  [ -n "$box" ] || fail "the Linux program showed no \"$title\" box"
  sleep 0.5
  import -depth 8 -window "$box" "ppm:$work/box-$name.ppm"
  xdotool windowfocus --sync "$box" key Return
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1 || break
    sleep 0.1
  done
  xdotool windowfocus --sync "$window"
  sleep 0.2
}
linux_box few "Dades insuficients" "IdI(8)|600" "OkInteres(2)|press"
linux_box falta-t "Cas no contemplat" "IdI(9)|100" "IdI(11)|100" "OkInteres(2)|press"
linux_box falten-dades "No es pot calcular" "IdKg|2" "IdAg|5" "IdBg|5" "OkABg|press"
linux_box info Info "menu|"
kill "$app_pid" 2>/dev/null || true
app_pid=
stop_xvfb
# chromium runs headless: no display of a server that has gone.
unset DISPLAY
mkdir -p "$shots"
cp "$work"/box-*.ppm "$shots/"
convert "$work/linux.ppm" "$shots/linux-ca.png"

# The folder's own server, compressed responses and all; it serves the bare page beside it too,
# picks a free port and names it.
python3 -u "$stage/serve.py" "$build" --port 0 >"$work/server.log" 2>&1 &
server_pid=$!
port=
for _ in $(seq 50); do
  port="$(sed -n 's|^serving .* at http://127.0.0.1:\([0-9]*\)/$|\1|p' "$work/server.log" | head -1)"
  [ -n "$port" ] && break
  sleep 0.1
done
[ -n "$port" ] || fail "the web server did not start: $(cat "$work/server.log")"

started=$SECONDS
url="http://127.0.0.1:$port/$(basename "$stage")/index.html"
NODE_PATH="$modules/node_modules" node tests/web/page_check.js \
  "$url" "$work/linux.ppm" "$work" "$shots" ||
  fail "the page failed in chromium (screenshots in $shots)"
for picture in "$shots"/*.ppm; do
  [ -e "$picture" ] && convert "$picture" "${picture%.ppm}.png" && rm "$picture"
done
echo "page in chromium: $((SECONDS - started)) s (screenshots in $shots)"

# Offline and installable after one visit; then how fast it loads for a student at school.
started=$SECONDS
NODE_PATH="$modules/node_modules" node tests/web/offline_check.js "$url" "$work/linux.ppm" "$shots" ||
  fail "the page failed offline (screenshots in $shots)"
echo "page offline: $((SECONDS - started)) s"
started=$SECONDS
NODE_PATH="$modules/node_modules" node bench/web/load_bench.js "$url" \
  "http://127.0.0.1:$port/tirel-bare-web/index.html" "$stage" "$build/tirel-bare-web" ||
  fail "a page was not drawn, or not served compressed, in the load benchmark"
echo "load benchmark: $((SECONDS - started)) s"
