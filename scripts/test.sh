#!/usr/bin/env bash
# Builds everything and runs every test headless; exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test

step() { printf '\n=== %s\n' "$*"; }

step "build and test (warnings as errors)"
cmake --preset dev >/dev/null
cmake --build --preset dev
ctest --preset dev

step "build and test under AddressSanitizer + UndefinedBehaviorSanitizer"
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan

# Further checks, each its own script: the fuzzer smoke run, the package checks, the quick bench.
for check in scripts/checks/*.sh; do
  [ -e "$check" ] || continue
  step "$(basename "$check" .sh)"
  bash "$check"
done
