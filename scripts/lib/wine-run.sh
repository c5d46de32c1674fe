#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tirel developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs a cross-built Windows program under wine64: the emulator CTest starts each test program
# with. Wine leaves every QT_ variable of the Linux environment out of a Windows program's own,
# so the ones set here (CTest's per-test QT_QPA_PLATFORM and the like) are handed over through the
# Wine prefix's user environment, which every Windows program of that prefix reads at its start.
set -euo pipefail
script_name=wine-run
. "$(dirname "$0")/common.sh"
find_wine
reg="$(mktemp "${TMPDIR:-/tmp}/tirel-qt-env.XXXXXX.reg")"
trap 'rm -f "$reg"' EXIT
{
  printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Environment]\r\n'
  while IFS='=' read -r name value; do
    value="${value//\\/\\\\}"
    printf '"%s"="%s"\r\n' "$name" "${value//\"/\\\"}"
  done < <(env | grep '^QT_' || true)
} >"$reg"
"$wine" regedit /S "Z:${reg//\//\\}"
# Qt Test's log to standard output does not come through Wine: a test program (one Qt Test class,
# named after it) writes it to a file, shown once the program has ended.
case "$(basename "$1")" in
  *Test.exe)
    log="${reg%.reg}.txt"
    trap 'rm -f "$reg" "$log"' EXIT
    status=0
    "$wine" "$@" -o "Z:${log//\//\\},txt" || status=$?
    [ ! -f "$log" ] || cat "$log"
    exit "$status"
    ;;
esac
"$wine" "$@"
