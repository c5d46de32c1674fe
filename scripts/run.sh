#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tirel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the program and starts it.
set -euo pipefail
script_name=tirel
. "$(dirname "$0")/lib/common.sh"
cd "$tirel_root"
scripts/setup.sh run
cmake --preset release >/dev/null
cmake --build --preset release --target tirel
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  fail "no display available; run it under Xvfb instead: xvfb-run -s \"-dpi 96 -screen 0 1280x1024x24\" build/release/src/tirel"
fi
exec build/release/src/tirel "$@"
