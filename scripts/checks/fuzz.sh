#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tirel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# A short fuzzing run for CI: every seed of the corpus, then a minute of fixed-seed mutations,
# each input checked against the invariants under the sanitizers.
set -euo pipefail
script_name="fuzz check"
. "$(dirname "$0")/../lib/common.sh"
cd "$tirel_root"
exec scripts/fuzz.sh 60 -seed=1
