#!/usr/bin/env bash
# Installs the Debian packages the project needs. Idempotent: quick when everything is there.
#   scripts/setup.sh run    what building and running the program needs
#   scripts/setup.sh test   that, plus what the tests, sanitizers, fuzzer and package checks need
set -euo pipefail

run_packages=(
  cmake make g++ pkg-config
  qt6-base-dev libgl-dev
  fonts-liberation fonts-comic-neue
)
test_packages=(
  "${run_packages[@]}"
  xvfb xauth
  clang libclang-rt-14-dev
  desktop-file-utils appstream dpkg-dev file
)

case "${1:-test}" in
  run) wanted=("${run_packages[@]}") ;;
  test) wanted=("${test_packages[@]}") ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

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
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
