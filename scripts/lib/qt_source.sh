# SPDX-FileCopyrightText: 2026 Tirel developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Debian's qt6-base source package, which the static Qt builds (Windows, web) are made from:
#   host_qt_version                 sets qt_version (the Debian version) and qt_upstream (Qt's
#                                   own) from the installed host tools, which the target Qt
#                                   must match
#   fetch_qt_source CACHE VERSION [PATCH...]
#                                   fetches and unpacks it once into CACHE/src/VERSION/qtbase,
#                                   applies our patches (in their own folder, named after their
#                                   digest) and prints the folder
# It goes through a private APT configuration holding only a deb-src line for Debian's archive,
# so the machine's own APT sources are never touched. The caller defines log.
#   build_static_qt TOOLCHAIN [PATCH...]
#                                   builds and installs that Qt with the toolchain file into
#                                   qt_prefix, once, from the caller's cache, qt_version,
#                                   qt_key, qt_options and jobs
fetch_qt_source() {
  local cache="$1" qt_version="$2"
  shift 2
  local apt="$cache/apt" src="$cache/src/$qt_version"
  if [ $# -gt 0 ]; then
    local patched patch
    patched="$src-$(cat "$@" | sha256sum | cut -c1-12)"
    # One patching of a source at a time; the fetch below takes a lock of its own.
    exec 7>"$cache/.lock-patched"
    flock 7
    if [ ! -f "$patched/.complete" ]; then
      src="$(fetch_qt_source "$cache" "$qt_version")"
      rm -rf "$patched"
      mkdir -p "$patched"
      cp -a "$src/qtbase" "$patched/"
      cp "$src"/qt6-base_*.dsc "$patched/"
      for patch in "$@"; do
        log "applying $(basename "$patch")"
        patch -d "$patched/qtbase" -p1 --forward --quiet <"$patch" >&2 || fail "$patch does not apply"
      done
      touch "$patched/.complete"
    fi
    echo "$patched"
    return
  fi
  # The source folder is shared by every Qt of the cache: one fetch at a time. The lock lasts
  # as long as the caller's command substitution.
  exec 8>"$cache/.lock-source"
  flock 8
  if [ -f "$src/.complete" ]; then
    echo "$src"
    return
  fi
  mkdir -p "$apt/lists/partial" "$apt/archives/partial" "$apt/sources.list.d" "$src"
  local codename mirror
  codename="$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")"
  mirror="${TIREL_DEBIAN_MIRROR:-http://deb.debian.org/debian}"
  printf 'deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] %s %s main\n' \
    "$mirror" "$codename" >"$apt/sources.list"
  local aptopts=(
    -o "Dir::Etc::SourceList=$apt/sources.list"
    -o "Dir::Etc::SourceParts=$apt/sources.list.d"
    -o "Dir::State::Lists=$apt/lists"
    -o "Dir::Cache=$apt/cache"
    -o "Debug::NoLocking=1"
  )
  log "fetching Debian's qt6-base $qt_version source"
  apt-get "${aptopts[@]}" update -qq >&2
  (cd "$src" && rm -rf qtbase && apt-get "${aptopts[@]}" source -qq --download-only "qt6-base=$qt_version" >&2)
  local dsc
  dsc="$(ls "$src"/qt6-base_*.dsc)"
  (cd "$src" && dpkg-source -q -x "$dsc" qtbase >&2)
  touch "$src/.complete"
  echo "$src"
}

build_static_qt() {
  local toolchain="$1"
  shift
  mkdir -p "$cache"
  # One build of a Qt at a time: a second run waits for the first and then reuses its result,
  # while a Qt of other options stays usable meanwhile.
  exec 9>"$cache/.lock-$qt_key"
  flock 9
  if [ -f "$qt_prefix/.complete" ]; then
    log "reusing the static Qt in $qt_prefix"
    return
  fi
  local src started
  src="$(fetch_qt_source "$cache" "$qt_version" "$@")"
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
  # built is written into the package).
  mkdir -p "$qt_prefix/tirel-notes/qt-licences"
  cp "$src/qtbase/LICENSES/"* "$qt_prefix/tirel-notes/qt-licences/" 2>/dev/null ||
    cp "$src/qtbase/"LICENSE.* "$qt_prefix/tirel-notes/qt-licences/"
  cp "$src/qtbase/debian/copyright" "$qt_prefix/tirel-notes/qt-licences/debian-copyright.txt"
  rm -rf "$qtbuild"
  echo "$(($(date +%s) - started))" >"$qt_prefix/.build-seconds"
  touch "$qt_prefix/.complete"
  log "static Qt built in $(($(date +%s) - started)) s"
}

host_qt_version() {
  qt_version="$(dpkg-query -W -f='${Version}' qt6-base-dev-tools 2>/dev/null)" ||
    fail "qt6-base-dev-tools is not installed: run scripts/setup.sh test"
  qt_upstream="${qt_version%%+*}"
  qt_upstream="${qt_upstream%%-*}"
}
