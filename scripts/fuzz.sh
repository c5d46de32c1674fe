#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tirel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the libFuzzer target with clang (coverage, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs it for the given number of seconds over the seed corpus in fuzz/corpus.
#   scripts/fuzz.sh [seconds] [more libFuzzer options]      e.g. scripts/fuzz.sh 1800
# What it learns goes to build/fuzzer/corpus (the repo's corpus stays as it is); an input that
# breaks an invariant or trips a sanitizer is saved in build/fuzzer/findings/ and the script
# fails. Repeat one with: build/fuzzer/fuzz/tirel_fuzz build/fuzzer/findings/<file>
set -euo pipefail
script_name=fuzz
. "$(dirname "$0")/lib/common.sh"
cd "$tirel_root"
seconds="${1:-1800}"
shift || true
scripts/setup.sh test

build=build/fuzzer
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p "$build/corpus" "$build/findings"

# The live heap stays near 25 MB over any number of inputs; what grows is the memory the
# sanitizer's allocator keeps for freed blocks. Its default 256 MB quarantine, cycled by the long
# pasted texts, let the peak RSS climb past 1.5 GB in half an hour and halved the speed; 64 MB
# still holds what many actions free, so a block used actions after it was freed is still caught.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:quarantine_size_mb=64}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
# -timeout: one input running that long counts as a hang; -max_len: a few hundred actions.
"$build/fuzz/tirel_fuzz" -max_total_time="$seconds" -max_len=4096 -timeout=20 -rss_limit_mb=4096 \
  -print_final_stats=1 -artifact_prefix="$build/findings/" "$@" "$build/corpus" fuzz/corpus
