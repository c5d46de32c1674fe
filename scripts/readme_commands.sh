#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tirel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs the install and package commands of README.md's "Installing" section, as they are written
# there, from the root of a fresh clone (build/clones/readme, made anew each time, which keeps the
# release build the checks use), so a README command that no longer works cannot land.
# Nothing reaches the system: the install goes into a scratch DESTDIR, and apt-get only simulates
# installing the package (it still resolves every dependency the package declares).
# The release build they make must be warning-free.
set -euo pipefail
script_name="README commands"
. "$(dirname "$0")/lib/common.sh"
clone="$tirel_root/build/clones/readme"
fresh_clone "$clone"
cd "$clone"

work="$(mktemp -d "${TMPDIR:-/tmp}/tirel-readme.XXXXXX")"
trap 'rm -rf "$work"' EXIT

# The commands are the indented lines of the section, in order.
mapfile -t commands < <(awk '/^## /{inside = ($0 == "## Installing")} inside && /^    [^ ]/{sub(/^    /, ""); print}' README.md)
[ ${#commands[@]} -ge 4 ] || fail "found ${#commands[@]} commands in README.md's Installing section"

export DESTDIR="$work/destdir"
printf 'APT::Get::Simulate "true";\n' >"$work/apt.conf"
export APT_CONFIG="$work/apt.conf"

for command in "${commands[@]}"; do
  echo "\$ $command"
  # sudo stands for "as root": the test command already is, and a real sudo would drop DESTDIR
  # and APT_CONFIG and reach the system.
  if ! bash -o pipefail -c "sudo() { \"\$@\"; }; $command" </dev/null >"$work/out.log" 2>&1; then
    tail -60 "$work/out.log" >&2
    fail "'$command' failed"
  fi
  cat "$work/out.log" >>"$work/all.log"
  if grep -E '(^|[: ])warning:' "$work/out.log" >&2; then
    fail "'$command' printed compiler warnings"
  fi
done

# What the install put in place, below the prefix the README names: exactly the installed files.
prefix="$(grep -oE -- '--prefix [^ ]+' <<<"${commands[*]}" | head -1 | cut -d' ' -f2)"
[ -n "$prefix" ] || fail "no --prefix in the install command"
installed_files "${prefix#/}" | LC_ALL=C sort >"$work/expected.txt"
(cd "$DESTDIR" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) >"$work/actual.txt"
diff -u "$work/expected.txt" "$work/actual.txt" || fail "the install put other files in place"
[ -x "$DESTDIR$prefix/bin/tirel" ] || fail "the installed program is not executable"
# The simulated install must have taken the package itself, not just its dependencies.
grep -qE '^Inst tirel ' "$work/all.log" || fail "apt-get did not install the tirel package"
echo "README commands passed: ${#commands[@]} commands, installed into a scratch prefix, package resolved"
