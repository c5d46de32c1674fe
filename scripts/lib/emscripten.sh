# SPDX-FileCopyrightText: 2026 Tirel developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Debian's emscripten as Qt's WebAssembly build expects to find it:
#   setup_emscripten CACHE   makes CACHE/emsdk, a stand-in for the SDK folder Qt's CMake files read
#                            (a .emscripten naming EMSCRIPTEN_ROOT, and emcc there), exports EMSDK
#                            and NODE_PATH, and sets emscripten_version and emscripten_toolchain
emscripten_toolchain=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake

setup_emscripten() {
  local emsdk="$1/emsdk"
  mkdir -p "$emsdk/emscripten"
  printf "EMSCRIPTEN_ROOT = 'emscripten'\n" >"$emsdk/.emscripten"
  ln -sfn /usr/bin/emcc "$emsdk/emscripten/emcc"
  ln -sfn /usr/share/emscripten/cmake "$emsdk/emscripten/cmake"
  export EMSDK="$emsdk"
  # emcc's own JavaScript passes load Debian's node modules, which a node from elsewhere on PATH
  # does not look for.
  export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
  emscripten_version="$(emcc --version | sed -n '1s/.* \([0-9][0-9.]*\) .*/\1/p')"
  [ -n "$emscripten_version" ] || fail "emcc --version names no version"
  [ -f "$emscripten_toolchain" ] || fail "$emscripten_toolchain is missing (package emscripten)"
}
