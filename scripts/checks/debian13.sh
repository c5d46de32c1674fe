#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tirel developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Tirel on Debian 13 as on Debian 12. On a Debian 12 machine, in the Debian 13 environment that
# scripts/lib/debian13.sh makes (the web build's too), with a fresh clone of the repository
# carrying the working tree's changes, on a private X server of the machine:
#  1. the README's run command, scripts/run.sh, as written: its set-up step, the release build
#     without a compiler warning, the window;
#  2. that window, after a worked example typed in the Catalan locale, and its About dialog are
#     the Debian 12 program's (TIREL_BUILD_DIR's) pixel for pixel, the same size and layout: the
#     faces are the same font files on both releases, drawn by Qt 6.8 as by Qt 6.4;
#  3. the same build takes its other targets without a compiler warning and passes every CTest
#     suite;
#  4. the Debian 12 package (TIREL_BUILD_DIR's, as the README's package commands make it)
#     installs with apt, the installed /usr/bin/tirel opens its window, and apt purges it again.
#     Should its dependencies not resolve there, the package built in the environment takes its
#     place, and the check says so.
# On a Debian 13 machine the first part runs on the machine itself; the others say why not.
# Set TIREL_SHOTS_DIR to keep the grabs as PNG files.
set -euo pipefail
script_name="Debian 13 check"
. "$(dirname "$0")/../lib/common.sh"
root="$tirel_root"
cd "$root"
build="$(realpath -m "${TIREL_BUILD_DIR:-build/release}")"
pixels=(python3 "$root/scripts/lib/pixels.py")
title='^Progressions - Inter'
# A compiler's or linker's warning ("file:line:column: warning:", "ld: warning:"); not a shell's or
# a library's notice such as "bash: warning: setlocale" or "Fontconfig warning:".
compiler_warning='(:[0-9]+: |ld: )warning:'
need_tools git Xvfb xdotool import convert python3

native=
[ "$(debian_release)" -ge 13 ] && native=yes

work="$(mktemp -d "${TMPDIR:-/tmp}/tirel-debian13.XXXXXX")"
groups=()
installed=
cleanup() {
  local group
  for group in "${groups[@]}"; do kill -- -"$group" 2>/dev/null || true; done
  stop_xvfb
  if [ -n "$installed" ]; then
    in_debian13 apt-get purge -y -qq --autoremove tirel </dev/null >/dev/null 2>&1 || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# Runs a command in Debian 13: the environment, or the machine itself when it runs Debian 13.
in_debian13() {
  if [ -n "$native" ]; then
    "$@"
  else
    debian13_run --bind "$work" --bind "$build" --bind "$debian13_cache/ccache" -- "$@"
  fi
}

# The programs' settings, the same on both releases: the Catalan locale (LANG keeps the C
# library's own), no scaling, the private runtime folder.
program_env=(LANG=C.UTF-8 LC_ALL=ca_ES.UTF-8 QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1)
in_debian13_shown() { in_debian13 env "${program_env[@]}" XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" "$@"; }

# Starts a command in the background in a process group of its own, so that ending the group ends
# all it started (inside the environment too); sets started.
start_group() {
  set -m
  "$@" &
  started=$!
  set +m
  groups+=("$started")
}

# Ends process group $1 and waits for its windows to go, so that none of them is taken for the
# next program's.
end_group() {
  kill -- -"$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "$title|^About Tirel\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "a window stayed after its program ended"
}

# Waits up to $2 seconds for the main window while process $1 lives; prints the window's id.
main_window() {
  local deadline=$((SECONDS + $2)) window
  while [ "$SECONDS" -lt "$deadline" ]; do
    window="$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -1)" || true
    [ -n "$window" ] && echo "$window" && return 0
    kill -0 "$1" 2>/dev/null || return 1
    sleep 1
  done
  return 1
}

# Grabs window $1 into $2 once it is painted and two grabs in a row agree.
grab_settled() {
  local previous="$work/previous.ppm"
  import -depth 8 -window "$1" "ppm:$previous"
  for _ in $(seq 30); do
    sleep 0.2
    import -depth 8 -window "$1" "ppm:$2"
    "${pixels[@]}" size "$2" >/dev/null && "${pixels[@]}" match "$previous" "$2" 0 100 >/dev/null &&
      return 0
    cp "$2" "$previous"
  done
  fail "the window at $1 never settled"
}

keep() { [ -n "${TIREL_SHOTS_DIR:-}" ] && mkdir -p "$TIREL_SHOTS_DIR" && convert "$1" "$TIREL_SHOTS_DIR/$2.png" || true; }

# Types the geometric example (8, 0,5 and 4, then "Ok") into the window of program $2 (a process
# group), grabs the window and the About dialog as $1-main.ppm and $1-about.ppm, and ends it.
grab_example() {
  local window about=
  window="$(main_window "$2" 60)" || fail "$1: the window did not appear: $(tail -5 "$work/$1.log")"
  xdotool windowfocus --sync "$window"
  sleep 0.5
  focus_at=0
  focus_to "Idg(0)" && xdotool type --delay 30 8
  focus_to "Idg(1)" && xdotool type --delay 30 0,5
  focus_to "Idg(2)" && xdotool type --delay 30 4
  focus_to OkGe && xdotool key space
  grab_settled "$window" "$work/$1-main.ppm"
  keep "$work/$1-main.ppm" "$1-main"
  read -r _ height < <("${pixels[@]}" size "$work/$1-main.ppm")
  # The menu "Info", then its second item; a slow pop-up can swallow the keys, so up to 3 tries.
  for _ in 1 2 3; do
    xdotool mousemove --window "$window" 15 $(((height - 599) / 2)) click 1
    sleep 0.3
    xdotool key Down Down Return
    about="$(timeout 3 xdotool search --sync --onlyvisible --name '^About Tirel$' 2>/dev/null | head -1)" || true
    [ -n "$about" ] && break
  done
  [ -n "$about" ] || fail "$1: the About dialog did not appear"
  grab_settled "$about" "$work/$1-about.ppm"
  keep "$work/$1-about.ppm" "$1-about"
  end_group "$2"
}

if [ -z "$native" ]; then
  . "$root/scripts/lib/debian13.sh"
  started_at=$SECONDS
  debian13_ready
  mkdir -p "$debian13_cache/ccache"
  echo "the Debian 13 environment: ready in $((SECONDS - started_at)) s ($debian13_root)"
fi
start_xvfb "$work"
private_runtime "$work"

# The README's run command, as written, in a fresh clone.
started_at=$SECONDS
clone="$work/tirel"
git clone -q "$root" "$clone"
git -C "$root" diff --binary HEAD | git -C "$clone" apply --allow-empty
git -C "$root" ls-files -z --others --exclude-standard | tar -C "$root" --null -T - -cf - |
  tar -C "$clone" -xf -
# In the environment a compiler cache beside it spares the fresh clone the files no change touched
# (the clone's own folder left out of its keys); the compiler's warnings come out as before.
cache=()
if [ -z "$native" ]; then
  cache=(CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache CCACHE_MAXSIZE=1G
    CCACHE_DIR="$debian13_cache/ccache" CCACHE_BASEDIR="$work" CCACHE_NOHASHDIR=1)
fi
# shellcheck disable=SC2016 # expanded by the inner shell
start_group in_debian13_shown env "${cache[@]}" CMAKE_BUILD_PARALLEL_LEVEL=2 \
  bash -c 'cd "$1" && exec scripts/run.sh' _ "$clone" >"$work/run.log" 2>&1
run_group=$started
# A fresh build takes minutes; a failed one ends the command.
main_window "$run_group" 1800 >/dev/null ||
  { tail -30 "$work/run.log" >&2; fail "scripts/run.sh did not open the window"; }
if grep -E "$compiler_warning" "$work/run.log" >&2; then
  fail "scripts/run.sh's build printed compiler warnings"
fi
echo "run command: scripts/run.sh installed, built and opened the window in $((SECONDS - started_at)) s"

# The window, Debian 13's (the program run.sh started) against Debian 12's.
if [ -n "$native" ]; then
  end_group "$run_group"
  echo "window: SKIPPED, this machine runs Debian 13 itself: there is no Debian 12 program to compare with"
else
  started_at=$SECONDS
  program12="$build/src/tirel"
  [ -x "$program12" ] || fail "no program at $program12 (build it first)"
  cp "$work/run.log" "$work/debian13.log"
  grab_example debian13 "$run_group"
  start_group env "${program_env[@]}" "$program12" >"$work/debian12.log" 2>&1
  grab_example debian12 "$started"
  ok=yes
  for grab in main about; do
    size12="$("${pixels[@]}" size "$work/debian12-$grab.ppm")"
    size13="$("${pixels[@]}" size "$work/debian13-$grab.ppm")"
    same="$("${pixels[@]}" match "$work/debian12-$grab.ppm" "$work/debian13-$grab.ppm" 0 100)" || ok=no
    echo "  $grab: Debian 12 ${size12/ / x }, Debian 13 ${size13/ / x }, $same% of the pixels equal"
  done
  [ "$ok" = yes ] || fail "the Debian 13 window differs from Debian 12's (TIREL_SHOTS_DIR keeps the grabs)"
  echo "window: Debian 13's and Debian 12's the same, pixel for pixel, in $((SECONDS - started_at)) s"
fi

# The suites, in the build run.sh made.
if [ -n "$native" ]; then
  echo "suites: SKIPPED, this machine runs Debian 13 itself: the dev and asan presets ran every suite on it"
else
  started_at=$SECONDS
  in_debian13 env "${cache[@]}" cmake --build "$clone/build/release" --parallel 2 >"$work/build.log" 2>&1 ||
    { tail -40 "$work/build.log" >&2; fail "building the suites failed"; }
  if grep -E "$compiler_warning" "$work/build.log" >&2; then
    fail "building the suites printed compiler warnings"
  fi
  in_debian13 ctest --test-dir "$clone/build/release" --output-on-failure --timeout 600 \
    >"$work/ctest.log" 2>&1 || { tail -80 "$work/ctest.log" >&2; fail "a suite failed on Debian 13"; }
  echo "suites: $(grep -E 'tests passed' "$work/ctest.log") in $((SECONDS - started_at)) s"
fi

# The Debian 12 package, installed with apt, started and purged.
if [ -n "$native" ]; then
  echo "package: SKIPPED, this machine runs Debian 13 itself: installing on it is its owner's to do (the README commands resolved the package with apt's simulation)"
  exit 0
fi
started_at=$SECONDS
deb="$build/tirel_$(built_version "$build")_$(dpkg --print-architecture).deb"
if [ ! -f "$deb" ]; then
  cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack failed"; }
  deb="$work/package/$(basename "$deb")"
fi
install_deb() {
  installed=yes
  in_debian13 env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    -o DPkg::Lock::Timeout=600 "$1" </dev/null >"$work/apt.log" 2>&1
}
if install_deb "$deb"; then
  which="Debian 12's $(basename "$deb")"
elif grep -E 'Depends:|unmet dependencies' "$work/apt.log" >&2; then
  # Its dependencies do not resolve on Debian 13: the package built there stands in for it.
  in_debian13 bash -c 'cd "$1" && cpack -G DEB' _ "$clone/build/release" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack failed in Debian 13"; }
  deb="$(ls "$clone"/build/release/tirel_*.deb)"
  install_deb "$deb" || { cat "$work/apt.log" >&2; fail "apt-get could not install $deb"; }
  which="$(basename "$deb") built in Debian 13, since Debian 12's does not resolve there"
else
  cat "$work/apt.log" >&2
  fail "apt-get could not install $deb"
fi
in_debian13 dpkg-query -W -f='${Depends}\n' tirel | sed 's/^/  Depends: /'
start_group in_debian13_shown /usr/bin/tirel >"$work/installed.log" 2>&1
main_window "$started" 30 >/dev/null || fail "the installed /usr/bin/tirel opened no window: $(cat "$work/installed.log")"
end_group "$started"
in_debian13 env DEBIAN_FRONTEND=noninteractive apt-get purge -y -q --autoremove \
  -o DPkg::Lock::Timeout=600 tirel </dev/null >>"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log" >&2; fail "apt-get could not purge tirel"; }
installed=
in_debian13 dpkg-query -W tirel >/dev/null 2>&1 && fail "tirel is still installed after the purge"
echo "package: $which installed with apt, /usr/bin/tirel opened the window, purged, in $((SECONDS - started_at)) s"
