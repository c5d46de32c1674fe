#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tirel developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# clang-format over the project's own C and C++ (every tracked or new file). The vendored code
# under 3rdparty/, musl's originals and our changed copies beside them, keeps its upstream's style
# through a .clang-format of its own that turns formatting off.
#   scripts/format.sh          fails, naming each file that does not follow .clang-format
#   scripts/format.sh --fix    reformats them in place
set -euo pipefail
script_name=format
. "$(dirname "$0")/lib/common.sh"
cd "$tirel_root"
clang_format="$(command -v clang-format-14 || true)"
[ -n "$clang_format" ] || fail "clang-format-14 is missing (scripts/setup.sh test installs it)"

mapfile -t files < <(git ls-files -co --exclude-standard -- '*.c' '*.h' '*.cpp')
if [ "${1:-}" = --fix ]; then
  "$clang_format" -i "${files[@]}"
  exit 0
fi
unformatted=()
for file in "${files[@]}"; do
  "$clang_format" --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done
[ ${#unformatted[@]} -eq 0 ] ||
  fail "$(printf '%s\n' "${unformatted[@]}" | sed 's/^/  /')
${#unformatted[@]} of ${#files[@]} files do not follow .clang-format: run scripts/format.sh --fix"
echo "$script_name: ${#files[@]} files follow .clang-format"
