#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tirel developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# What every release carries beside the package (scripts/checks/package.sh checks that): every
# file of the tree licensed (reuse lint), and the README opening with the window's picture.
set -euo pipefail
script_name="release check"
. "$(dirname "$0")/../lib/common.sh"
cd "$tirel_root"
need_tools reuse file

work="$(mktemp -d "${TMPDIR:-/tmp}/tirel-release.XXXXXX")"
trap 'rm -rf "$work"' EXIT

echo "reuse lint"
reuse lint >"$work/reuse.log" 2>&1 || { cat "$work/reuse.log" >&2; fail "reuse lint failed"; }
tail -n 1 "$work/reuse.log"

# The README opens with the window's picture, a tracked PNG.
first="$(grep -vE '^(<!--|SPDX-|-->|[[:space:]]*$)' README.md | sed -n 2p)"
grep -qE '^!\[[^]]+\]\(docs/tirel\.png\)$' <<<"$first" ||
  fail "README.md does not open with docs/tirel.png under its title: '$first'"
git ls-files --error-unmatch docs/tirel.png >/dev/null 2>&1 || fail "docs/tirel.png is not in the tree"
file -b docs/tirel.png | grep -q '^PNG image data' || fail "docs/tirel.png is not a PNG"

echo "$script_name passed"
