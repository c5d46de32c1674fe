#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tirel developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Cross-builds Tirel for 64-bit Windows and packs tirel-<version>-windows-x86_64.zip and .msi.
#   scripts/windows.sh         the static Qt (once), the cross-build, the zip and the MSI in
#                              build/windows/
#   scripts/windows.sh qt      only the static Qt
#   scripts/windows.sh build   the static Qt and the cross-build with its test programs, no package
#   scripts/windows.sh fetch   only Debian's source package of Qt
#   scripts/windows.sh package [DIR [VERSION]]
#                              only the zip and the MSI of the last cross-build, into DIR (the
#                              build folder by default); VERSION names both and versions the MSI
#                              instead of project()'s, to try an upgrade with the same program
#
# The static Qt is built from Debian's own qt6-base source package, the same version as the host
# Qt tools (moc, rcc, uic) it is used with, and kept in a cache folder outside the clone so every
# later run and every clone on this machine reuses it:
#   TIREL_WINDOWS_CACHE   the cache folder (default /var/cache/tirel-windows)
#   TIREL_WINDOWS_BUILD   the cross-build folder (default <clone>/build/windows)
#   TIREL_WINDOWS_JOBS    parallel compile jobs (default 2)
# The cached Qt sits in a folder named after the source version and a digest of the configure
# options and toolchain file, so changing either builds a new one.
#
# tirel.exe (before it goes into the zip and the MSI) and the MSI are signed when a code-signing
# certificate is given:
#   TIREL_SIGN_PKCS12     its PKCS#12 file (.p12 or .pfx), with the private key
#   TIREL_SIGN_PASSWORD   the file's password (handed to osslsigncode through a pipe, never on
#                         its command line)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
cache="${TIREL_WINDOWS_CACHE:-/var/cache/tirel-windows}"
build="${TIREL_WINDOWS_BUILD:-$root/build/windows}"
jobs="${TIREL_WINDOWS_JOBS:-2}"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
step="${1:-all}"
out="${2:-$build}"
package_version="${3:-}"

script_name=windows
. "$root/scripts/lib/common.sh"
# Debian's qt6-base source, fetched once into the cache, and the static Qt built from it.
. "$root/scripts/lib/qt_source.sh"
need_tools x86_64-w64-mingw32-g++-posix cmake ninja dpkg-source apt-get zip wixl-heat wixl sha1sum

host_qt_version

# Only what the program and its tests use: Core, Gui, Widgets, Test and the Windows and
# offscreen platforms, built for size (the window needs no speed from Qt, and a smaller build is
# a quicker one). tabletevent is off because Debian's copy of the source lacks wintab.h; OpenGL
# stays on because the 6.4 Windows platform plugin does not compile without it. Left out: the
# Direct2D platform (a second copy of the Windows one) with the DirectWrite 3 font database that
# only it builds (the Windows platform uses GDI's unless told otherwise), image formats, text
# formats and writers the program never reads or writes.
qt_options=(
  -DCMAKE_BUILD_TYPE=Release
  -DFEATURE_optimize_size=ON
  -DBUILD_SHARED_LIBS=OFF
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  -DQT_BUILD_BENCHMARKS=OFF
  -DQT_QMAKE_TARGET_MKSPEC=win32-g++
  -DFEATURE_static_runtime=ON
  -DFEATURE_tabletevent=OFF
  -DFEATURE_opengl=ON
  -DFEATURE_direct2d=OFF
  -DFEATURE_directwrite3=OFF
  -DFEATURE_dbus=OFF
  -DFEATURE_network=OFF
  -DFEATURE_sql=OFF
  -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF
  -DFEATURE_icu=OFF
  -DFEATURE_zstd=OFF
  -DFEATURE_jpeg=OFF
  -DFEATURE_gif=OFF
  -DFEATURE_pdf=OFF
  -DFEATURE_movie=OFF
  -DFEATURE_textmarkdownreader=OFF
  -DFEATURE_textmarkdownwriter=OFF
  -DFEATURE_textodfwriter=OFF
)
qt_key="$( { printf '%s\n' "$qt_version" "${qt_options[@]}"; cat "$toolchain"; } |
  sha256sum | cut -c1-12)"
qt_prefix="$cache/qt-$qt_version-$qt_key"

build_qt() { build_static_qt "$toolchain"; }

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

# The folder the zip and the MSI are both made from: the stripped (and signed) tirel.exe, the
# Info.bat its "Info" starts with the help page that opens, this README and the licences.
stage_files() {
  local stage="$1"
  rm -rf "$stage"
  mkdir -p "$stage/licences/qt"
  cp "$build/tirel.exe" "$stage/"
  # strip stamps the PE header with the time of day unless given one: it keeps the link's, so
  # that every package of one build carries the same program.
  local header stamp
  header="$(od -An -tu4 -j60 -N4 "$stage/tirel.exe" | xargs)"
  stamp="$(od -An -tu4 -j$((header + 8)) -N4 "$stage/tirel.exe" | xargs)"
  SOURCE_DATE_EPOCH="$stamp" x86_64-w64-mingw32-strip "$stage/tirel.exe"
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
  sign "$stage/tirel.exe"
  # "Info" looks for Info.bat beside the program first. A batch file's lines end in CR LF.
  sed 's/$/\r/' "$root/dist/windows/Info.bat" >"$stage/Info.bat"
  cp "$root/dist/help/ajuda.html" "$stage/ajuda.html"
  cp "$root/README.md" "$stage/README.md"
  cp "$root/LICENSES/GPL-3.0-or-later.txt" "$stage/licences/GPL-3.0-or-later.txt"
  # The exp, log and pow linked into tirel.exe come from musl (3rdparty/musl), under MIT.
  cp "$root/LICENSES/MIT.txt" "$stage/licences/MIT.txt"
  cp "$qt_prefix/tirel-notes/qt-licences/"* "$stage/licences/qt/"
  write_qt_note >"$stage/licences/QT-BUILD.txt"
}

# Signs a program or an installer in place when a certificate is given. No time stamp: the build
# reaches no time-stamping service.
sign() {
  [ -n "${TIREL_SIGN_PKCS12:-}" ] || return 0
  need_tools osslsigncode
  [ -r "$TIREL_SIGN_PKCS12" ] || fail "TIREL_SIGN_PKCS12 names no readable file: $TIREL_SIGN_PKCS12"
  osslsigncode sign -pkcs12 "$TIREL_SIGN_PKCS12" -readpass <(printf '%s' "${TIREL_SIGN_PASSWORD:-}") \
    -n Tirel -h sha256 -in "$1" -out "$1.signed" >/dev/null || fail "signing $(basename "$1") failed"
  mv "$1.signed" "$1"
  log "signed $(basename "$1")"
}

pack_zip() {
  local stage="$1" zip="$2"
  rm -f "$zip"
  (cd "$(dirname "$stage")" && zip -qr -X "$zip" "$(basename "$stage")")
  log "packed $zip"
}

# A name-based (version 5) UUID: the same name in the same namespace always gives the same one.
uuid5() {
  local hash
  hash="$( { printf '%b' "$(sed 's/-//g; s/../\\x&/g' <<<"$1")"; printf '%s' "$2"; } | sha1sum | cut -c1-32)"
  printf '%s-%s-5%s-%x%s-%s\n' "${hash:0:8}" "${hash:8:4}" "${hash:13:3}" \
    $(((0x${hash:16:1} & 3) | 8)) "${hash:17:3}" "${hash:20:12}" | tr a-f A-F
}

# The MSI from dist/windows/tirel.wxs, the stage's files and the program's icon. The product code
# is derived from the upgrade code and the version: a rebuild of one version is the same product,
# a later version a new one that replaces it (the major upgrade).
pack_msi() {
  local stage="$1" msi="$2" version="$3" wxs="$root/dist/windows/tirel.wxs" upgrade_code
  upgrade_code="$(sed -n 's/.*UpgradeCode="\([0-9A-F-]*\)".*/\1/p' "$wxs")"
  [ -n "$upgrade_code" ] || fail "no UpgradeCode in $wxs"
  # Every file beside tirel.exe, one component each; wixl derives their GUIDs from their paths.
  (cd "$stage" && find . -type f ! -path ./tirel.exe | sed 's|^\./||' | LC_ALL=C sort |
    wixl-heat --directory-ref INSTALLDIR --component-group Documents --var var.Stage -p '' |
    sed 's/<Component /<Component Win64="yes" /') >"$msi.documents.wxs"
  rm -f "$msi"
  # wixl reads the files it packs from paths relative to the current folder only.
  (cd "$stage" && wixl --arch x64 -D Version="$version" -D ProductCode="$(uuid5 "$upgrade_code" "$version")" \
    -D Stage=. -D Icon="$(realpath --relative-to=. "$build/generated/tirel.ico")" \
    -o "$msi" "$wxs" "$msi.documents.wxs") || fail "wixl failed"
  rm -f "$msi.documents.wxs"
  sign "$msi"
  log "packed $msi"
}

package() {
  local version name
  version="${package_version:-$(built_version "$build")}"
  name="tirel-$version-windows-x86_64"
  mkdir -p "$out"
  out="$(realpath "$out")"
  [ -n "${TIREL_SIGN_PKCS12:-}" ] ||
    log "not signed: TIREL_SIGN_PKCS12 and TIREL_SIGN_PASSWORD name no certificate"
  stage_files "$out/stage/$name"
  pack_zip "$out/stage/$name" "$out/$name.zip"
  pack_msi "$out/stage/$name" "$out/$name.msi" "$version"
  echo "$out/$name.zip"
  echo "$out/$name.msi"
}

case "$step" in
  fetch) fetch_qt_source "$cache" "$qt_version" ;;
  qt) build_qt ;;
  build) build_qt && build_tirel ;;
  package) package ;;
  all) build_qt && build_tirel && package ;;
  *) echo "usage: $0 [fetch|qt|build|all|package [DIR [VERSION]]]" >&2; exit 2 ;;
esac
