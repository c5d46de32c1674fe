#!/usr/bin/env bash
# The benchmark once in quick mode (one round, small lists) on the development build: it must
# still run to the end. Nothing about time is judged here.
set -euo pipefail
cd "$(dirname "$0")/../.."
exec scripts/bench.sh --preset dev --quick
