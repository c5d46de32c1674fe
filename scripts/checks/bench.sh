#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tirel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The benchmark once in quick mode (one round, small lists, no peers) on the build the checks
# use (the development preset when none is named): it must still run to the end. Nothing about
# time is judged here.
set -euo pipefail
script_name="bench check"
. "$(dirname "$0")/../lib/common.sh"
cd "$tirel_root"
if [ -n "${TIREL_BUILD_DIR:-}" ]; then
  exec scripts/bench.sh --build-dir "$TIREL_BUILD_DIR" --quick
fi
exec scripts/bench.sh --preset dev --quick
