# SPDX-FileCopyrightText: 2026 Tirel developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Debian's qt6-base source package, which the static Qt builds (Windows, web) are made from:
#   fetch_qt_source CACHE VERSION   fetches and unpacks it once into CACHE/src/VERSION/qtbase and
#                                   prints CACHE/src/VERSION
# It goes through a private APT configuration holding only a deb-src line for Debian's archive,
# so the machine's own APT sources are never touched. The caller holds CACHE's lock and defines
# log.
fetch_qt_source() {
  local cache="$1" qt_version="$2"
  local apt="$cache/apt" src="$cache/src/$qt_version"
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
