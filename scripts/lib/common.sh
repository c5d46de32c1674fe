# SPDX-FileCopyrightText: 2026 Tirel developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# What the project's scripts share, sourced by each of them after `set -euo pipefail`, which also
# exports CMAKE_BUILD_PARALLEL_LEVEL (2 unless set) for the builds made through presets:
#   script_name=...         the name messages start with (set it before the first message)
#   log MESSAGE             a line on standard error, after the script's name
#   fail MESSAGE            the same, then exit 1
#   skip MESSAGE            says why a check cannot run on this machine, then exit 0
#   need_tools TOOL...      fail unless every tool is on PATH (the package lists install them)
#   start_xvfb WORK         a private X server at 96 DPI; sets xvfb_pid, exports DISPLAY
#   stop_xvfb               ends it (safe to call when none runs)
#   private_runtime WORK    exports XDG_RUNTIME_DIR as a new folder in WORK, so that nothing of
#                           the host's session (sockets, settings) reaches the program
#   find_wine               sets wine and wineserver to Debian's Wine 64-bit programs
#   built_version BUILD [FULL]
#                           prints the version a configured build folder holds (1.0.0; with
#                           FULL all four numbers, 1.0.0.0)
#   installed_files PREFIX  prints the files an install puts below PREFIX (installed-files.txt)
#   debian_release          prints the major version of the running Debian (12, 13)
#   release_packages RELEASE LIST...
#                           prints the packages of package lists (scripts/packages/) for that
#                           Debian release: a line "name [12]" counts only on Debian 12, where the
#                           two releases name a package differently
#   fresh_clone DEST        makes DEST what a newcomer's clone of this tree holds: a clone of its
#                           history with the tree's files as they stand (changes not yet
#                           committed included, ignored files and build folders left out)
#   focus_to CONTROL        moves the keyboard focus of the program's window, which has the
#                           keyboard, to CONTROL of focus_order with Tab and Shift+Tab (xdotool);
#                           focus_at is where it stands, 0 (the field that has it at start) first
# tirel_root names the clone's top folder.
tirel_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
# A build through a preset compiles two files at a time unless the caller says otherwise: the
# presets name no machine's number of cores.
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-2}"
script_name="${script_name:-$(basename "$0" .sh)}"
xvfb_pid=

log() { printf '%s: %s\n' "$script_name" "$*" >&2; }
fail() {
  log "$*"
  exit 1
}

skip() {
  printf '%s: SKIPPED, %s\n' "$script_name" "$*"
  exit 0
}

need_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup.sh test installs it)"
  done
}

# The server picks a free display itself and writes its number to a pipe, so scripts running
# side by side never race for one. It never resets, since a short-lived client leaving would
# otherwise make it refuse the next one.
start_xvfb() {
  local work="$1"
  need_tools Xvfb
  Xvfb -displayfd 3 -dpi 96 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" \
    2>"$work/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  DISPLAY=":$(head -1 "$work/display")"
  export DISPLAY
}

stop_xvfb() {
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=
}

private_runtime() {
  export XDG_RUNTIME_DIR="$1/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
}

# Debian puts wine64 on PATH only through the wine package; wine64 alone keeps it in its folder.
find_wine() {
  wine="$(command -v wine64 || echo /usr/lib/wine/wine64)"
  wineserver="$(command -v wineserver || echo /usr/lib/wine/wineserver)"
  [ -x "$wine" ] || fail "wine64 is missing (scripts/setup.sh test installs it)"
}

# CMake writes project()'s version into one header of every build; the program reads it too.
built_version() {
  local header="$1/generated/tirel_version.h" version
  version="$(sed -n "s/^#define TIREL_VERSION_${2:-STRING} \"\(.*\)\"$/\1/p" "$header" 2>/dev/null)"
  [ -n "$version" ] || fail "no version in $header (is $1 a configured build?)"
  echo "$version"
}

debian_release() {
  (. /etc/os-release && echo "${VERSION_ID%%.*}")
}

release_packages() {
  local release="$1"
  shift
  sed -e 's/#.*//' "$@" |
    awk -v release="[$release]" 'NF == 1 || (NF == 2 && $2 == release) { print $1 }' | sort -u
}

fresh_clone() {
  local dest="$1"
  rm -rf "$dest"
  git clone -q --no-hardlinks "$tirel_root" "$dest"
  # What is not committed yet, so that a run before a commit checks the tree as it is.
  (cd "$tirel_root" && git ls-files -z --cached --others --exclude-standard |
    tar --null --ignore-failed-read -T - -cf - 2>/dev/null) | tar -C "$dest" -xf -
  (cd "$tirel_root" && git ls-files -z --deleted) | (cd "$dest" && xargs -0 -r rm -f)
}

installed_files() {
  sed -e '/^#/d' -e '/^$/d' -e "s|^|$1/|" "$tirel_root/scripts/lib/installed-files.txt"
}

# The focus order of the window, from the field that holds the focus at start.
focus_order=(
  "IdI(1)" "IdI(0)" "IdI(2)" "OkInteres(0)" "IdI(3)" "IdI(7)" "OkInteres(1)" "IdI(6)" "IdI(4)"
  "IdI(5)" "IdI(9)" "IdI(8)" "IdI(10)" "OkInteres(2)" "IdI(11)" "IdI(13)" "IdI(12)" "IdI(14)"
  "OkInteres(3)" "IdI(15)" LstIntrp Okab IdB IdA IdK "Id(4)" "Id(3)" OkAr "Id(2)" "Id(1)" "Id(0)"
  IdKg IdAg IdBg OkABg Lstg "Idg(5)" "Idg(0)" "Idg(1)" "Idg(2)" OkGe "Idg(3)" "Idg(4)"
)
focus_at=0
focus_to() {
  local i target=
  for i in "${!focus_order[@]}"; do
    [ "${focus_order[$i]}" = "$1" ] && target=$i
  done
  [ -n "$target" ] || fail "no control $1 in the focus order"
  while [ "$focus_at" -lt "$target" ]; do xdotool key --delay 30 Tab; focus_at=$((focus_at + 1)); done
  while [ "$focus_at" -gt "$target" ]; do xdotool key --delay 30 shift+Tab; focus_at=$((focus_at - 1)); done
}
