#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tirel developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Cross-builds Tirel for 64-bit Windows and packs tirel-<version>-windows-x86_64.zip.
#   scripts/windows.sh         the static Qt (once), the cross-build, the zip in build/windows/
#   scripts/windows.sh qt      only the static Qt
#   scripts/windows.sh build   the static Qt and the cross-build with its test programs, no zip
#   scripts/windows.sh fetch   only Debian's source package of Qt
#
# The static Qt is built from Debian's own qt6-base source package, the same version as the host
# Qt tools (moc, rcc, uic) it is used with, and kept in a cache folder outside the clone so every
# later run and every clone on this machine reuses it:
#   TIREL_WINDOWS_CACHE   the cache folder (default /var/cache/tirel-windows)
#   TIREL_WINDOWS_BUILD   the cross-build folder (default <clone>/build/windows)
#   TIREL_WINDOWS_JOBS    parallel compile jobs (default 2)
# The cached Qt sits in a folder named after the source version and a digest of the configure
# options and toolchain file, so changing either builds a new one.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
cache="${TIREL_WINDOWS_CACHE:-/var/cache/tirel-windows}"
build="${TIREL_WINDOWS_BUILD:-$root/build/windows}"
jobs="${TIREL_WINDOWS_JOBS:-2}"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
step="${1:-all}"

script_name=windows
. "$root/scripts/lib/common.sh"
need_tools x86_64-w64-mingw32-g++-posix cmake ninja dpkg-source apt-get zip

# The host tools and the target library must be the same Qt release.
qt_version="$(dpkg-query -W -f='${Version}' qt6-base-dev-tools 2>/dev/null)" ||
  fail "qt6-base-dev-tools is not installed: run scripts/setup.sh test"
qt_upstream="${qt_version%%+*}"
qt_upstream="${qt_upstream%%-*}"

# Only what the program and its tests use: Core, Gui, Widgets, Test and the Windows and
# offscreen platforms. tabletevent is off because Debian's copy of the source lacks wintab.h;
# OpenGL stays on because the 6.4 Windows platform plugin does not compile without it.
qt_options=(
  -DCMAKE_BUILD_TYPE=Release
  -DBUILD_SHARED_LIBS=OFF
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  -DQT_BUILD_BENCHMARKS=OFF
  -DQT_QMAKE_TARGET_MKSPEC=win32-g++
  -DFEATURE_static_runtime=ON
  -DFEATURE_tabletevent=OFF
  -DFEATURE_opengl=ON
  -DFEATURE_dbus=OFF
  -DFEATURE_network=OFF
  -DFEATURE_sql=OFF
  -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF
  -DFEATURE_icu=OFF
  -DFEATURE_zstd=OFF
)
qt_key="$( { printf '%s\n' "$qt_version" "${qt_options[@]}"; cat "$toolchain"; } |
  sha256sum | cut -c1-12)"
qt_prefix="$cache/qt-$qt_version-$qt_key"

# Debian's source package, fetched once into the cache.
. "$root/scripts/lib/qt_source.sh"

build_qt() {
  mkdir -p "$cache"
  # One build at a time: a second run waits for the first and then reuses its result.
  exec 9>"$cache/.lock"
  flock 9
  if [ -f "$qt_prefix/.complete" ]; then
    log "reusing the static Qt in $qt_prefix"
    return
  fi
  mkdir -p "$cache"
  local src started
  src="$(fetch_qt_source "$cache" "$qt_version")"
  started=$(date +%s)
  local qtbuild="$cache/build-$qt_key"
  # An interrupted build of the same options goes on where it stopped.
  [ -f "$qtbuild/CMakeCache.txt" ] || rm -rf "$qtbuild"
  rm -rf "$qt_prefix"
  log "configuring the static Qt ($qt_prefix)"
  cmake -S "$src/qtbase" -B "$qtbuild" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$qt_prefix" \
    "${qt_options[@]}" >"$cache/configure-$qt_key.log" 2>&1 ||
    { tail -40 "$cache/configure-$qt_key.log" >&2; fail "Qt configure failed"; }
  log "building the static Qt with $jobs jobs (log: $cache/build-$qt_key.log)"
  cmake --build "$qtbuild" --parallel "$jobs" >"$cache/build-$qt_key.log" 2>&1 ||
    { tail -40 "$cache/build-$qt_key.log" >&2; fail "Qt build failed"; }
  cmake --install "$qtbuild" >>"$cache/build-$qt_key.log" 2>&1 || fail "Qt install failed"

  # What the licence of a static link asks for: Qt's licence texts (the note on exactly what was
  # built is written into the zip).
  mkdir -p "$qt_prefix/tirel-notes/qt-licences"
  cp "$src/qtbase/LICENSES/"* "$qt_prefix/tirel-notes/qt-licences/" 2>/dev/null ||
    cp "$src/qtbase/"LICENSE.* "$qt_prefix/tirel-notes/qt-licences/"
  cp "$src/qtbase/debian/copyright" "$qt_prefix/tirel-notes/qt-licences/debian-copyright.txt"
  rm -rf "$qtbuild"
  echo "$(($(date +%s) - started))" >"$qt_prefix/.build-seconds"
  touch "$qt_prefix/.complete"
  log "static Qt built in $(($(date +%s) - started)) s"
}

build_tirel() {
  log "cross-building Tirel in $build"
  # Qt's own toolchain file adds its prefix to the cross-build's search roots and then loads ours,
  # from this clone.
  cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_TESTING=ON \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/lib/wine-run.sh" >&2
  cmake --build "$build" --parallel "$jobs" >&2
}

# Names exactly what Qt was built from and how.
write_qt_note() {
  local src="$cache/src/$qt_version"
  {
    echo "tirel.exe contains Qt $qt_upstream, linked statically."
    echo
    echo "Qt was built from Debian's source package qt6-base, version $qt_version"
    echo "($(basename "$(ls "$src"/qt6-base_*.dsc)"), with Debian's patches applied),"
    echo "cross-compiled with Debian's mingw-w64 $(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix)"
    echo "(x86_64-w64-mingw32-g++-posix), configured with CMake as follows:"
    echo
    echo "  cmake -S qtbase -B build -G Ninja -DQT_HOST_PATH=/usr \\"
    echo "    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \\"
    echo "    -DCMAKE_TOOLCHAIN_FILE=mingw-w64-x86_64.cmake \\"
    printf '    %s \\\n' "${qt_options[@]}"
    echo "    -DCMAKE_INSTALL_PREFIX=<prefix>"
    echo
    echo "with this toolchain file (cmake/mingw-w64-x86_64.cmake in Tirel's source):"
    echo
    sed 's/^/  /' "$toolchain"
    echo
    echo "To relink Tirel with a modified Qt, build that Qt the same way and run scripts/windows.sh"
    echo "from Tirel's source (GPL-3.0-or-later) with TIREL_WINDOWS_CACHE pointing at it."
  }
}

pack_zip() {
  local version name stage
  version="$(built_version "$build")"
  name="tirel-$version-windows-x86_64"
  stage="$build/zip/$name"
  rm -rf "$build/zip" "$build/$name.zip"
  mkdir -p "$stage/licences/qt"
  cp "$build/src/tirel.exe" "$stage/"
  x86_64-w64-mingw32-strip "$stage/tirel.exe"
  # One program, no DLL beside it: only Windows' own system libraries may be imported.
  local imports
  imports="$(x86_64-w64-mingw32-objdump -p "$stage/tirel.exe" | sed -n 's/^\s*DLL Name: //p' | tr '[:upper:]' '[:lower:]')"
  local dll
  for dll in $imports; do
    case "$dll" in
      kernel32.dll | user32.dll | gdi32.dll | shell32.dll | ole32.dll | oleaut32.dll | advapi32.dll | \
        comdlg32.dll | winmm.dll | ws2_32.dll | imm32.dll | uxtheme.dll | dwmapi.dll | shlwapi.dll | \
        version.dll | netapi32.dll | userenv.dll | wtsapi32.dll | setupapi.dll | msvcrt.dll | \
        mpr.dll | uiautomationcore.dll | d3d9.dll | d3d11.dll | dxgi.dll | dwrite.dll | d2d1.dll | \
        opengl32.dll | authz.dll | rpcrt4.dll | comctl32.dll | shcore.dll | api-ms-win-*.dll) ;;
      *) fail "tirel.exe needs $dll, which Windows does not provide" ;;
    esac
  done
  cp "$root/README.md" "$stage/README.md"
  cp "$root/LICENSES/GPL-3.0-or-later.txt" "$stage/licences/GPL-3.0-or-later.txt"
  # The exp, log and pow linked into tirel.exe come from musl (3rdparty/musl), under MIT.
  cp "$root/LICENSES/MIT.txt" "$stage/licences/MIT.txt"
  cp "$qt_prefix/tirel-notes/qt-licences/"* "$stage/licences/qt/"
  write_qt_note >"$stage/licences/QT-BUILD.txt"
  (cd "$build/zip" && zip -qr -X "$build/$name.zip" "$name")
  log "packed $build/$name.zip"
  echo "$build/$name.zip"
}

case "$step" in
  fetch) fetch_qt_source "$cache" "$qt_version" ;;
  qt) build_qt ;;
  build) build_qt && build_tirel ;;
  all) build_qt && build_tirel && pack_zip ;;
  *) echo "usage: $0 [fetch|qt|build|all]" >&2; exit 2 ;;
esac
