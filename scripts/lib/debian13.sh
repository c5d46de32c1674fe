# SPDX-FileCopyrightText: 2026 Tirel developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# A Debian 13 ("trixie") environment on an older Debian machine, made with debootstrap from
# Debian's own archive: the web build takes its Qt 6.8 and emscripten 3.1.69 from it, and the
# Debian 13 check builds, tests and installs the program in it. Sourced after common.sh:
#   debian13_ready          makes the environment once (under a lock) and sets debian13_root;
#                           later calls, and every clone on the machine, reuse it
#   debian13_run [--bind PATH]... [--] COMMAND...
#                           runs COMMAND in it as root, in a mount namespace of its own (nothing
#                           stays mounted after it), with the clone and each PATH at the same place
#                           as outside, X's sockets, and the TIREL_, QT_, locale and DISPLAY
#                           variables of the caller
# The environment holds Debian 13's minimal system and the packages of the run, test and web
# lists as Debian 13 names them (scripts/packages/, lines marked [12] left out), plus
# packages/debian13/environment.txt; a package a list gains is installed into it at the next call.
# It lives in TIREL_DEBIAN13_CACHE (default /var/cache/tirel-debian13), in a folder named after a
# digest of the suite and the mirror.
debian13_cache="${TIREL_DEBIAN13_CACHE:-/var/cache/tirel-debian13}"
debian13_suite=trixie
debian13_root=

debian13_packages() {
  local lists="$tirel_root/scripts/packages"
  release_packages 13 "$lists/run.txt" "$lists/test.txt" "$lists/web.txt" \
    "$lists/debian13/environment.txt"
}

debian13_ready() {
  local mirror="${TIREL_DEBIAN_MIRROR:-http://deb.debian.org/debian}" key
  key="$(echo "$debian13_suite $mirror minbase" | sha256sum | cut -c1-12)"
  debian13_root="$debian13_cache/root-$key"
  need_tools debootstrap unshare chroot flock
  mkdir -p "$debian13_cache"
  (
    # One maker at a time; a second caller waits and then finds it made.
    flock 8
    local started=$SECONDS log="$debian13_cache/root-$key.log"
    if [ ! -f "$debian13_root/.complete" ]; then
      rm -rf "$debian13_root"
      log "making the Debian 13 environment in $debian13_root"
      debootstrap --variant=minbase "$debian13_suite" "$debian13_root" "$mirror" >"$log" 2>&1 ||
        { tail -20 "$log" >&2; fail "debootstrap failed"; }
      printf 'deb %s %s main\n' "$mirror" "$debian13_suite" >"$debian13_root/etc/apt/sources.list"
      touch "$debian13_root/.complete"
      # Environments of another mirror or suite are of no further use.
      find "$debian13_cache" -mindepth 1 -maxdepth 1 -name 'root-*' ! -name "root-$key*" \
        -exec rm -rf {} +
    fi
    local missing
    # shellcheck disable=SC2046 # one package a word
    missing="$(debian13_run -- dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' \
      $(debian13_packages) 2>&1 | awk '$1 != "ii" { print $NF }')" || true
    [ -z "$missing" ] && exit 0
    log "installing into the Debian 13 environment: $(echo $missing)"
    # shellcheck disable=SC2086
    debian13_run -- env DEBIAN_FRONTEND=noninteractive sh -c \
      'apt-get update -qq && apt-get install -y -qq --no-install-recommends "$@" </dev/null &&
       apt-get clean' sh $(debian13_packages) >>"$log" 2>&1 ||
      { tail -20 "$log" >&2; fail "installing Debian 13's packages failed"; }
    log "Debian 13 environment ready in $((SECONDS - started)) s"
  ) 8>"$debian13_cache/.lock"
}

debian13_run() {
  [ -n "$debian13_root" ] || fail "debian13_run before debian13_ready"
  local binds=("$tirel_root")
  while [ $# -gt 0 ]; do
    case "$1" in
      --bind) binds+=("$2"); shift 2 ;;
      --) shift; break ;;
      *) break ;;
    esac
  done
  local passed=(HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin)
  mapfile -t -O ${#passed[@]} passed < <(env | grep -E '^(TIREL_[A-Z0-9_]*|QT_[A-Z0-9_]*|LANG|LANGUAGE|LC_[A-Z]*|DISPLAY|CMAKE_BUILD_PARALLEL_LEVEL)=' || true)
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" unshare --mount --propagation private -- bash -euo pipefail -c '
    root="$1"; count="$2"; shift 2
    mount -t proc proc "$root/proc"
    mount --rbind /dev "$root/dev"
    cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
    # X servers of the caller (their sockets), and the folders the command works in.
    [ -d /tmp/.X11-unix ] && mkdir -p "$root/tmp/.X11-unix" && mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
    for _ in $(seq "$count"); do
      mkdir -p "$root$1"
      mount --bind "$1" "$root$1"
      shift
    done
    exec chroot "$root" "$@"
  ' debian13 "$debian13_root" "${#binds[@]}" "${binds[@]}" env -i "${passed[@]}" "$@"
}
