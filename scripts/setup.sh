#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Tirel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian packages the project needs. Idempotent: quick when everything is there.
#   scripts/setup.sh run    what building and running the program needs (packages/run.txt)
#   scripts/setup.sh test   that, plus every other list in packages/ (tests, fuzzing, packaging, bench)
#   scripts/setup.sh peers  the desktop calculators the full benchmark compares with (packages/peers/)
set -euo pipefail
script_name=setup
. "$(dirname "$0")/lib/common.sh"
lists="$tirel_root/scripts/packages"

case "${1:-test}" in
  run) files=("$lists/run.txt") ;;
  test) files=("$lists"/*.txt) ;;
  peers) files=("$lists"/peers/*.txt) ;;
  *) fail "usage: $0 run|test|peers" ;;
esac

mapfile -t wanted < <(release_packages "$(debian_release)" "${files[@]}")
missing=()
for pkg in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$pkg")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# Wait for another apt or dpkg run rather than fail on its lock.
lock=(-o DPkg::Lock::Timeout=900)
"${sudo[@]}" apt-get "${lock[@]}" update -qq
"${sudo[@]}" apt-get "${lock[@]}" install -y -qq --no-install-recommends "${missing[@]}" </dev/null
