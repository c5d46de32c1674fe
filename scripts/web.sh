#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tirel developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds Tirel for WebAssembly and packs tirel-<version>-web/ (a page any static web server serves)
# and its zip.
#   scripts/web.sh          the static Qt (once), the build, the folder and the zip in build/web/
#   scripts/web.sh qt       only the static Qt
#   scripts/web.sh build    the static Qt and the build with its test programs, no folder
#   scripts/web.sh fetch    only Debian's source package of Qt
#
# Qt 6.8 and emscripten 3.1.69 come from Debian 13: Qt is built from Debian's own qt6-base source
# package, the same version as Debian 13's host Qt tools (moc, rcc, uic), with Debian 13's
# emscripten. On Debian 12 the whole build runs in a Debian 13 environment that the script makes
# with debootstrap (scripts/lib/debian13.sh); on Debian 13 it runs on the machine itself. The Qt
# is kept in a cache folder outside the clone:
#   TIREL_WEB_CACHE   the cache folder (default /var/cache/tirel-web)
#   TIREL_WEB_BUILD   the build folder (default <clone>/build/web)
#   TIREL_WEB_JOBS    parallel compile jobs (default 2)
#   TIREL_WEB_QT      a static Qt for WebAssembly built elsewhere, used instead of the cached one
# The cached Qt sits in a folder named after the source version and a digest of the configure
# options, the toolchain file and emscripten's version, so changing any of them builds a new one.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
script_name=web
. "$root/scripts/lib/common.sh"

cache="${TIREL_WEB_CACHE:-/var/cache/tirel-web}"
build="$(realpath -m "${TIREL_WEB_BUILD:-$root/build/web}")"
jobs="${TIREL_WEB_JOBS:-2}"
step="${1:-all}"

mkdir -p "$build"
if [ "$(debian_release)" -lt 13 ]; then
  . "$root/scripts/lib/debian13.sh"
  debian13_ready
  mkdir -p "$cache"
  binds=(--bind "$cache" --bind "$build")
  [ -z "${TIREL_WEB_QT:-}" ] || binds+=(--bind "$TIREL_WEB_QT")
  # A git worktree keeps its repository outside itself; the folder's source archive needs it.
  repository="$(cd "$root" && realpath "$(git rev-parse --git-common-dir)")"
  case "$repository/" in "$root"/*) ;; *) binds+=(--bind "$repository") ;; esac
  debian13_run "${binds[@]}" -- env TIREL_WEB_CACHE="$cache" TIREL_WEB_BUILD="$build" \
    TIREL_WEB_JOBS="$jobs" "$root/scripts/web.sh" "$@"
  exit
fi

. "$root/scripts/lib/qt_source.sh"
. "$root/scripts/lib/emscripten.sh"
need_tools emcc node cmake ninja dpkg-source apt-get zip wasm-opt brotli gzip rsvg-convert python3
setup_emscripten "$cache"

host_qt_version

# Only what the program and its tests use: Core, Gui, Widgets, Test and the wasm platform (which
# draws through WebGL, hence OpenGL), with its accessibility layer for screen readers. No threads:
# they would need cross-origin isolation headers that a plain static server does not send.
# Debian's source has no bundled sqlite, hence no sql. A unity build compiles the same code in a
# fraction of the time.
qt_options=(
  -DCMAKE_BUILD_TYPE=Release
  -DBUILD_SHARED_LIBS=OFF
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  -DQT_BUILD_BENCHMARKS=OFF
  -DQT_QMAKE_TARGET_MKSPEC=wasm-emscripten
  -DQT_UNITY_BUILD=ON
  -DFEATURE_accessibility=ON
  -DFEATURE_thread=OFF
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
)
# Our changes to Qt's source, applied after Debian's own patches (each says why in its header).
qt_patches=()
for patch in "$root"/scripts/patches/qt-wasm-*.patch; do
  [ -e "$patch" ] && qt_patches+=("$patch")
done
qt_key="$( { printf '%s\n' "$qt_version" "${qt_options[@]}" "$emscripten_version"
  cat "$emscripten_toolchain" ${qt_patches[@]+"${qt_patches[@]}"}; } | sha256sum | cut -c1-12)"
qt_prefix="${TIREL_WEB_QT:-$cache/qt-$qt_version-$qt_key}"

build_qt() {
  if [ -n "${TIREL_WEB_QT:-}" ]; then
    [ -f "$TIREL_WEB_QT/lib/cmake/Qt6/qt.toolchain.cmake" ] || fail "$TIREL_WEB_QT holds no Qt"
    log "using the Qt in $TIREL_WEB_QT"
    return
  fi
  build_static_qt "$emscripten_toolchain" ${qt_patches[@]+"${qt_patches[@]}"}
}

# The core suites run under node through CTest's emulator; node 18 and later run emscripten's
# output only without their own fetch.
build_tirel() {
  log "building Tirel for WebAssembly in $build"
  cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$emscripten_toolchain" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release \
    -DTIREL_WERROR=ON \
    -DTIREL_BUILD_BENCH=OFF \
    -DBUILD_TESTING=ON \
    -DQT_SKIP_AUTO_PLUGIN_INCLUSION=OFF \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node);--no-experimental-fetch;$root/tests/web/node_run.js" \
    >"$build.configure.log" 2>&1 || { cat "$build.configure.log" >&2; fail "configuring the web build failed"; }
  cmake --build "$build" --parallel "$jobs" >&2
}

# Names exactly what Qt was built from and how.
write_qt_note() {
  local src="$cache/src/$qt_version"
  {
    echo "tirel.wasm contains Qt $qt_upstream, linked statically."
    echo
    echo "Qt was built from Debian's source package qt6-base, version $qt_version"
    echo "($(basename "$(ls "$src"/qt6-base_*.dsc)"), with Debian's patches applied),"
    echo "compiled with Debian's emscripten $(dpkg-query -W -f='${Version}' emscripten),"
    echo "configured with CMake as follows:"
    echo
    echo "  cmake -S qtbase -B build -G Ninja -DQT_HOST_PATH=/usr \\"
    echo "    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \\"
    echo "    -DCMAKE_TOOLCHAIN_FILE=$emscripten_toolchain \\"
    printf '    %s \\\n' "${qt_options[@]}"
    echo "    -DCMAKE_INSTALL_PREFIX=<prefix>"
    echo
    echo "To relink Tirel with a modified Qt, build that Qt the same way and run scripts/web.sh"
    echo "from Tirel's source (source.tar.gz beside index.html, GPL-3.0-or-later) with"
    echo "TIREL_WEB_CACHE pointing at it."
  }
}

# The faces the layout is mapped to, as the Linux build finds them (packages/run.txt), each with
# its Debian package: the page loads them into the program, which has no faces of its own.
faces=(
  fonts-liberation:/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf
  fonts-liberation:/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf
  fonts-urw-base35:/usr/share/fonts/opentype/urw-base35/NimbusSansNarrow-Regular.otf
  fonts-comic-neue:/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf
)

pack_web() {
  local version name stage
  version="$(built_version "$build")"
  name="tirel-$version-web"
  stage="$build/$name"
  rm -rf "$stage" "$build/$name.zip"
  mkdir -p "$stage/faces" "$stage/licences/qt" "$stage/licences/faces"
  # The help page, where the tree has one: the note links it and "Info" opens it.
  local help=
  if [ -f "$root/dist/help/ajuda.html" ]; then
    cp "$root/dist/help/ajuda.html" "$stage/ajuda.html"
    help=' · <a href="ajuda.html" target="_blank">ajuda</a>'
  fi
  sed -e "s/@VERSION@/$version/g" -e "s|@HELP@|$help|" "$root/dist/web/index.html" >"$stage/index.html"
  cp "$root/dist/web/tirel-page.js" "$build/src/qtloader.js" "$build/src/tirel.js" \
    "$build/src/tirel.wasm" "$stage/"
  cp "$root/dist/icons/tirel.svg" "$stage/"
  local face package file
  for face in "${faces[@]}"; do
    package="${face%%:*}"
    file="${face#*:}"
    [ -f "$file" ] || fail "$file is missing (package $package)"
    cp "$file" "$stage/faces/"
    basename "$file" >>"$stage/faces/index.txt"
    # What Debian says of each package's licence, and the licence texts it refers to.
    cp "/usr/share/doc/$package/copyright" "$stage/licences/faces/$package.txt"
  done
  cp /usr/share/common-licenses/GPL-2 "$stage/licences/faces/GPL-2.txt"
  cp "$root/LICENSES/GPL-3.0-or-later.txt" "$stage/licences/GPL-3.0-or-later.txt"
  # The exp, log and pow linked into tirel.wasm come from musl (3rdparty/musl), under MIT.
  cp "$root/LICENSES/MIT.txt" "$stage/licences/MIT.txt"
  cp "$root/dist/web/licences.txt" "$stage/licences/README.txt"
  cp /usr/share/doc/emscripten/copyright "$stage/licences/emscripten.txt"
  cp "$qt_prefix/tirel-notes/qt-licences/"* "$stage/licences/qt/"
  write_qt_note >"$stage/licences/QT-BUILD.txt"
  cp "$root/README.md" "$stage/README.md"
  # The program's own source, as committed, so the page's link to it works offline too.
  git -C "$root" archive --format=tar.gz --prefix="tirel-$version/" -o "$stage/source.tar.gz" HEAD
  pack_installable "$stage"
  write_worker "$stage"
  compress_folder "$stage"
  (cd "$build" && zip -qr -X "$build/$name.zip" "$name")
  pack_bare
  log "packed $stage and $build/$name.zip"
  echo "$build/$name.zip"
}

# Installable: the manifest, the icons installers ask for (drawn from the program's own), the
# worker that keeps the page for use offline and what registers it, and the server.
pack_installable() {
  local stage="$1" size
  cp "$root/dist/web/manifest.webmanifest" "$root/dist/web/offline.js" "$root/dist/web/serve.py" \
    "$stage/"
  mkdir -p "$stage/icons"
  for size in 180 192 512; do
    rsvg-convert -w "$size" -h "$size" -o "$stage/icons/tirel-$size.png" "$root/dist/icons/tirel.svg"
  done
  # Masks keep at least a circle of 80 % of the width: the icon inside it, on the page's colour.
  rsvg-convert -w 288 -h 288 --page-width 512 --page-height 512 --left 112 --top 112 \
    -b '#d4d0c8' -o "$stage/icons/tirel-maskable-512.png" "$root/dist/icons/tirel.svg"
}

# The service worker, with the digest of every file it keeps and of them all (its cache's name):
# any change to the folder makes a new worker, which replaces the cached page whole.
write_worker() {
  local stage="$1"
  (cd "$stage" && find . -type f ! -name 'service-worker.js*' ! -name 'serve.py*' -printf '%P\n' |
    LC_ALL=C sort | xargs -d '\n' sha256sum) |
    python3 -c '
import json, sys, hashlib
listing = sys.stdin.read()
files = dict(reversed(line.split("  ", 1)) for line in listing.splitlines())
# Not the compressed copies of a file: the browser gets those in its place.
files = {p: d for p, d in files.items() if not (p[-3:] in (".br", ".gz") and p[:-3] in files)}
listing = "".join(f"{d}  {p}\n" for p, d in files.items())
template = open(sys.argv[1], encoding="utf-8").read()
digest = hashlib.sha256(listing.encode()).hexdigest()[:16]
text = template.replace("@DIGEST@", digest).replace("\x27@FILES@\x27", json.dumps(files, indent=1))
open(sys.argv[2], "w", encoding="utf-8").write(text)
' "$root/dist/web/service-worker.js" "$stage/service-worker.js"
}

# Every text, font and wasm file beside its .br (brotli at its best, the largest window browsers
# take) and .gz (gzip -9), for a server to send whichever the browser accepts; a copy that would
# not be smaller is left out.
compress_folder() {
  find "$1" -type f \( -name '*.html' -o -name '*.js' -o -name '*.wasm' -o -name '*.webmanifest' \
    -o -name '*.svg' -o -name '*.txt' -o -name '*.md' -o -name '*.py' -o -name '*.ttf' \
    -o -name '*.otf' \) -print0 |
    xargs -0 -P "$jobs" -I{} sh -e -c '
      brotli -f -q 11 -w 24 -o "$1.br" "$1"
      gzip -9 -n -c "$1" >"$1.gz"
      for packed in "$1.br" "$1.gz"; do
        [ "$(stat -c %s "$packed")" -lt "$(stat -c %s "$1")" ] || rm "$packed"
      done' sh {}
}

# The floor of the load benchmark (bench/web/load_bench.js), packed and compressed as the page
# is, beside it and outside the zip.
pack_bare() {
  local bare="$build/tirel-bare-web"
  rm -rf "$bare"
  mkdir -p "$bare"
  cp "$root/bench/web/index.html" "$build/bench/web/tirel_bare.js" \
    "$build/bench/web/tirel_bare.wasm" "$build/bench/web/qtloader.js" "$bare/"
  compress_folder "$bare"
}

case "$step" in
  fetch) fetch_qt_source "$cache" "$qt_version" ;;
  qt) build_qt ;;
  build) build_qt && build_tirel ;;
  all) build_qt && build_tirel && pack_web ;;
  *) fail "usage: $0 [fetch|qt|build|all]" ;;
esac
