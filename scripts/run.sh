#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tirel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh run
cmake --preset release >/dev/null
cmake --build --preset release --target tirel
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "tirel: no display available; run it under Xvfb instead: xvfb-run -s \"-dpi 96 -screen 0 1280x1024x24\" build/release/src/tirel" >&2
  exit 1
fi
exec build/release/src/tirel "$@"
