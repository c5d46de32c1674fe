#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tirel developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Tirel for Windows: scripts/windows.sh builds the static Qt (the first time only; later runs reuse
# its cache), cross-builds the program and its test programs and packs the zip. Then, under wine64
# on a private X server with a private Wine prefix:
#  - the core and window CTest suites, cross-built, through CMake's cross-compiling emulator;
#  - the program with the window-system probe linked in, in a copy of the zip's folder, for a
#    Catalan user: the user's locale, the 619 x 599 client area, typing and "Ok", "Info" running the
#    zip's Info.bat, which hands the zip's ajuda.html to the default browser, the About dialog, and
#    exit status 0 once the last window is closed;
#  - the tirel.exe of the zip, alone in a folder: its window opens with a client area of 619 x 599
#    below the menu bar, and closing it ends the program with exit status 0.
# Before those, without Wine: the icon, version resource and manifest read back from the tirel.exe
# of the zip and of the MSI, and a package signed with a certificate made for the run; and on the
# fresh prefix, first of all, the MSI: a silent install, its Start-menu shortcut and "Apps" entry,
# the installed program solving and its "Info" opening the installed help page, an upgrade to a
# later version from the same program, and a silent uninstall that leaves nothing of Tirel behind.
# The default browser is a stand-in that writes down the file it is given.
set -euo pipefail
script_name="windows check"
. "$(dirname "$0")/../lib/common.sh"
root="$tirel_root"
cd "$root"
# The README's Windows command, as a newcomer runs it: in a fresh clone, into its build/windows.
clone="$root/build/clones/windows"
build="$clone/build/windows"
find_wine
# Hands the QT_ variables over, which Wine itself would leave out.
run="$root/scripts/lib/wine-run.sh"
need_tools Xvfb xdotool xwininfo xclip unzip wrestool icotool msiinfo msiextract osslsigncode openssl strings

fresh_clone "$clone"
mkdir -p "$(dirname "$build")"
started=$SECONDS
# Built as a release without a certificate is: unsigned, and saying so.
(cd "$clone" && env -u TIREL_SIGN_PKCS12 -u TIREL_SIGN_PASSWORD -u TIREL_WINDOWS_BUILD scripts/windows.sh) \
  >"$build.log" 2>&1 || { tail -40 "$build.log" >&2; fail "scripts/windows.sh failed (log: $build.log)"; }
version="$(built_version "$build")"
zip="$build/tirel-$version-windows-x86_64.zip"
msi="$build/tirel-$version-windows-x86_64.msi"
[ -f "$zip" ] && [ -f "$msi" ] || fail "scripts/windows.sh made no $(basename "$zip") and $(basename "$msi")"
echo "static Qt, cross-build, zip and MSI: $((SECONDS - started)) s ($(basename "$zip"), $(basename "$msi"))"
[ "$(grep -c '^windows: not signed: ' "$build.log")" -eq 1 ] ||
  fail "the build without a certificate does not say once that nothing is signed"

work="$(mktemp -d "${TMPDIR:-/tmp}/tirel-windows.XXXXXX")"
cleanup() {
  [ -n "${WINEPREFIX:-}" ] && "$wineserver" -k 2>/dev/null || true
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT

# Prints the program's window once it is shown, waiting up to 60 s. Wine makes and destroys
# windows of its own meanwhile; a query that meets one as it goes fails and is simply repeated.
main_window() {
  local id
  for _ in $(seq 600); do
    id="$(xdotool search --onlyvisible --name '^Progressions - Inter' 2>/dev/null | head -1)" || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Windows Installer's tables as tab-separated rows, without the IDT format's line ends.
msi_table() { msiinfo export "$1" "$2" | tr -d '\r'; }
msi_property() { msi_table "$1" Property | sed -n "s/^$2\t//p"; }
# Prints the tirel.exe of the zip and of the MSI in folder $1, unpacked into folder $2.
unpack() {
  mkdir -p "$2/zip" "$2/msi"
  unzip -q "$1/tirel-$version-windows-x86_64.zip" -d "$2/zip"
  (cd "$2/msi" && msiextract "$1/tirel-$version-windows-x86_64.msi" >/dev/null)
  find "$2/zip" "$2/msi" -name tirel.exe | LC_ALL=C sort
}

# What Windows reads from a tirel.exe: one icon, with every image of the tirel.ico the build made
# from the project's icons; the version resource, its numbers and strings; the manifest.
check_identity() {
  local exe="$1" dir full w key value expected pattern
  dir="$(mktemp -d "$work/identity.XXXXXX")"
  full="$(built_version "$build" FULL)"
  mkdir "$dir/exe" "$dir/built"
  [ "$(wrestool -l --type=14 "$exe" | wc -l)" -eq 1 ] || fail "$exe does not hold one icon"
  wrestool -x --type=14 "$exe" -o "$dir/exe/tirel.ico"
  cp "$build/generated/tirel.ico" "$dir/built/"
  icotool -x -o "$dir/exe" "$dir/exe/tirel.ico" && icotool -x -o "$dir/built" "$dir/built/tirel.ico"
  # The images, not the files: a resource pads each image.
  rm "$dir/exe/tirel.ico" "$dir/built/tirel.ico"
  diff -r "$dir/exe" "$dir/built" >&2 || fail "the icon of $exe is not the built tirel.ico"
  [ "$(cd "$dir/exe" && ls -- *.png | sed 's/.*_\([0-9]*\)x.*/\1/' | xargs)" = "16 24 32 48 64 256" ] ||
    fail "the icon of $exe lacks some of 16, 24, 32, 48, 64 and 256 pixels"
  # VS_FIXEDFILEINFO follows its signature at byte 40: the file and the product version, each two
  # 32-bit numbers of two 16-bit halves (major.minor, patch.tweak).
  wrestool -x --raw --type=16 "$exe" -o "$dir/version.bin"
  read -ra w < <({ od -An -tx4 -j40 -N4 "$dir/version.bin" && od -An -tu2 -j48 -N16 "$dir/version.bin"; } | xargs)
  [ "${w[0]}" = feef04bd ] &&
    [ "${w[2]}.${w[1]}.${w[4]}.${w[3]} ${w[6]}.${w[5]}.${w[8]}.${w[7]}" = "$full $full" ] ||
    fail "the fixed file and product versions of $exe are not $full"
  local -A strings=()
  while IFS= read -r key && IFS= read -r value && [ "$key" != VarFileInfo ]; do
    strings["$key"]="$value"
  done < <(strings -el "$dir/version.bin" | sed '1,/^040904B0$/d')
  for expected in "CompanyName|Tirel developers" "FileVersion|$full" "ProductVersion|$full" \
    "ProductName|Tirel" "OriginalFilename|tirel.exe" "FileDescription|Tirel*" \
    "LegalCopyright|*Tirel developers*GPL-3.0-or-later*"; do
    key="${expected%%|*}" pattern="${expected#*|}"
    # shellcheck disable=SC2053
    [[ "${strings[$key]:-}" == $pattern ]] || fail "$key of $exe is '${strings[$key]:-}', not $pattern"
  done
  wrestool -x --raw --type=24 --name=1 "$exe" -o "$dir/manifest.xml"
  cmp -s "$dir/manifest.xml" dist/windows/tirel.exe.manifest || fail "$exe lacks dist/windows/tirel.exe.manifest"
}
started=$SECONDS
mapfile -t programs < <(unpack "$build" "$work/unsigned")
for exe in "${programs[@]}"; do check_identity "$exe"; done
echo "tirel.exe of the zip and of the MSI: icon (16 to 256 pixels), version $(built_version "$build" FULL), manifest"
for file in "${programs[@]}" "$msi"; do
  if osslsigncode verify -in "$file" >/dev/null 2>&1; then fail "$file is signed without a certificate"; fi
done

# Signing: a certificate made for this run only, and the same package made with it.
openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=Tirel test signing" \
  -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -passout pass:throwaway \
  -out "$work/signing.p12"
TIREL_SIGN_PKCS12="$work/signing.p12" TIREL_SIGN_PASSWORD=throwaway TIREL_WINDOWS_BUILD="$build" \
  scripts/windows.sh package "$work/signed" >"$work/signed.log" 2>&1 ||
  { cat "$work/signed.log" >&2; fail "the signed package failed"; }
for file in $(unpack "$work/signed" "$work/signed") "$work/signed/$(basename "$msi")"; do
  osslsigncode verify -CAfile "$work/cert.pem" -in "$file" >"$work/verify.log" 2>&1 ||
    { cat "$work/verify.log" >&2; fail "the signature of $file does not verify"; }
done
echo "signed with a throwaway certificate: the zip's and the MSI's tirel.exe and the MSI verify"
echo "identity and signing: $((SECONDS - started)) s"

start_xvfb "$work"
# A prefix of its own, without the browser and .NET installers a new prefix would offer, and
# without Wine's menu builder, which would copy shortcuts into the host's desktop menus.
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
started=$SECONDS
"$wine" wineboot --init >"$work/wineboot.log" 2>&1 || { cat "$work/wineboot.log" >&2; fail "wineboot failed"; }
"$wineserver" -w
echo "Wine prefix ready in $((SECONDS - started)) s"

# The default browser for .html files: the interpreter writing down the file it is given.
opened="$work/opened"
"$wine" reg add 'HKCR\.html' /ve /d PageRecorder /f >/dev/null
"$wine" reg add 'HKCR\PageRecorder\shell\open\command' /ve /f \
  /d "C:\\windows\\system32\\cmd.exe /d /c echo %1> Z:${opened//\//\\}" >/dev/null
# Prints the file the browser was given, waiting up to 30 s for it, and forgets it.
page_opened() {
  for _ in $(seq 300); do [ -s "$opened" ] && break; sleep 0.1; done
  tr -d '\r' <"$opened" 2>/dev/null || true
  rm -f "$opened"
}

# The MSI, on the prefix before anything else ran in it.
started=$SECONDS
# Windows Installer's packed form of a {GUID}: the first three parts reversed, the rest byte by byte.
packed_guid() {
  local g="${1//[\{\}-]/}" out='' i
  for i in 7 6 5 4 3 2 1 0 11 10 9 8 15 14 13 12; do out+="${g:i:1}"; done
  for ((i = 16; i < 32; i += 2)); do out+="${g:i+1:1}${g:i:1}"; done
  echo "$out"
}
# The registry's keys and every line naming Tirel (Wine keeps the registry in two text files,
# written when its server ends), and the prefix's files.
snapshot() {
  "$wineserver" -w
  { grep -h '^\[' "$WINEPREFIX"/*.reg | sed 's/\] [0-9]*$/]/'
    grep -h Tirel "$WINEPREFIX"/*.reg || true
    (cd "$WINEPREFIX/drive_c" && find . | sed 's/^/file /'); } | LC_ALL=C sort -u >"$1"
}
# A registry key's values as reg prints them, and one value of them.
reg_values() { "$wine" reg query "$1" 2>/dev/null | tr -d '\r'; }
reg_value() { sed -n "s/^    $1    REG_[A-Z_]*    //p"; }
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
installed="$WINEPREFIX/drive_c/Program Files/Tirel"
stage="$build/stage/tirel-$version-windows-x86_64"
# After an install of version $2 (product code $1): exactly the zip's files, one "Apps" entry,
# with these values and the product's icon.
check_installed() {
  diff <(cd "$installed" && find . -type f | LC_ALL=C sort) <(cd "$stage" && find . -type f | LC_ALL=C sort) >&2 &&
    cmp -s "$installed/tirel.exe" "$stage/tirel.exe" || fail "the installed folder does not hold the zip's files"
  local entries entry expected key pattern
  entry="$(reg_values "$uninstall_key\\$1")"
  entries="$("$wine" reg query "$uninstall_key" /s | tr -d '\r' | grep -c '^    DisplayName    REG_SZ    Tirel$' || true)"
  [ "$entries" -eq 1 ] || fail "$entries Tirel entries in Apps, not one"
  for expected in "DisplayName|Tirel" "DisplayVersion|$2" "Publisher|Tirel developers" \
    "InstallLocation|C:\\Program Files\\Tirel\\" "UninstallString|MsiExec.exe /X$1" \
    "NoModify|0x1" "Comments|*GPL-3.0-or-later*"; do
    # A glob with * as its only wildcard: backslashes stand for themselves.
    key="${expected%%|*}" pattern="${expected#*|}" pattern="${pattern//\\/\\\\}"
    # shellcheck disable=SC2053
    [[ "$(reg_value "$key" <<<"$entry")" == $pattern ]] || fail "the entry's $key is not $pattern"
  done
  # Apps shows an installed MSI's icon from the product's own registration.
  icon="$(reg_values "HKLM\\Software\\Classes\\Installer\\Products\\$(packed_guid "$1")" | reg_value ProductIcon)"
  cmp -s "$("$wine" winepath -u "$icon" 2>/dev/null | tr -d '\r')" "$build/generated/tirel.ico" ||
    fail "the product's icon '$icon' is not tirel.ico"
}
product="$(msi_property "$msi" ProductCode)"
snapshot "$work/before"
"$wine" msiexec /i "Z:${msi//\//\\}" /qn || fail "msiexec /i ... /qn failed with status $?"
check_installed "$product" "$version"
# Windows puts a per-machine shortcut in every user's Start menu; Wine's msiexec in the installing
# user's, so the one shortcut is looked for in both.
mapfile -t shortcuts < <(find "$WINEPREFIX/drive_c/ProgramData" "$WINEPREFIX/drive_c/users" \
  -path '*/Start Menu/Programs/Tirel.lnk')
[ "${#shortcuts[@]}" -eq 1 ] || fail "${#shortcuts[@]} Start-menu shortcuts named Tirel, not one"
strings "${shortcuts[0]}" | grep -qxF 'C:\Program Files\Tirel\tirel.exe' && strings -el "${shortcuts[0]}" |
  grep -qF "$icon" || fail "the shortcut does not start the installed tirel.exe with its icon"
echo "installed: the files, the Apps entry, the shortcut ${shortcuts[0]#"$WINEPREFIX"/drive_c/}"

# The installed program, started from its shortcut as a user starts it: 1, 2 and 5 typed into
# a1, d and n, "Ok", and an and Sn read back (Tab into a field selects its text, and the copy
# reaches X through Wine's clipboard).
"$wine" start /wait /unix "${shortcuts[0]}" >"$work/installed.log" 2>&1 &
app_pid=$!
window="$(main_window)" ||
  { cat "$work/installed.log" >&2; fail "the installed tirel.exe opened no window"; }
xdotool windowfocus --sync "$window"
sleep 0.5
focus_at=0 copied=
for step in "Id(0)|type|1" "Id(1)|type|2" "Id(2)|type|5" "OkAr|press|" "Id(3)|read|9" "Id(4)|read|25"; do
  IFS='|' read -r control action text <<<"$step"
  focus_to "$control"
  case "$action" in
    type) xdotool type --delay 30 "$text" ;;
    press) xdotool key space ;;
    read)
      xdotool key --clearmodifiers ctrl+c
      for _ in $(seq 50); do
        shown="$(xclip -o -selection clipboard 2>/dev/null || true)"
        [ -n "$shown" ] && [ "$shown" != "$copied" ] && break
        sleep 0.1
      done
      copied="$shown"
      [ "$shown" = "$text" ] || fail "the installed tirel.exe shows '$shown' in $control, not $text"
      ;;
  esac
done
xdotool windowfocus --sync "$window" key --clearmodifiers alt+F4
status=0
wait "$app_pid" || status=$?
[ "$status" -eq 0 ] || { cat "$work/installed.log" >&2; fail "the installed tirel.exe ended with status $status"; }
echo "the installed tirel.exe solved a1 1, d 2, n 5: an 9, Sn 25, and ended with status 0"

# "Info" of the installed program, started again, from the keyboard: Alt takes the menu bar,
# Return opens the menu "Info" on its first item, Return chooses it. The installed Info.bat hands
# the installed page to the browser. Under Wine the window then takes no Alt+F4, so the program
# is ended by the task list.
"$wine" start /unix "${shortcuts[0]}" >"$work/installed-info.log" 2>&1
window="$(main_window)" ||
  { cat "$work/installed-info.log" >&2; fail "the installed tirel.exe opened no window again"; }
xdotool windowfocus --sync "$window"
sleep 0.5
xdotool key --clearmodifiers alt Return Return
page="$(page_opened)"
[ "$page" = 'C:\Program Files\Tirel\ajuda.html' ] ||
  fail "\"Info\" of the installed tirel.exe opened '$page', not the installed ajuda.html"
"$wine" taskkill /f /im tirel.exe >/dev/null 2>&1 || true
for _ in $(seq 100); do
  xdotool search --onlyvisible --name '^Progressions - Inter' >/dev/null 2>&1 || break
  sleep 0.1
done
! xdotool search --onlyvisible --name '^Progressions - Inter' >/dev/null 2>&1 ||
  fail "the installed tirel.exe did not end"
echo "\"Info\" of the installed tirel.exe opened $page"

# The next version, packed from the same tirel.exe, replaces this one; this one then refuses to go
# over it.
IFS=. read -r major minor patch <<<"$version"
next="$major.$minor.$((patch + 1))"
TIREL_WINDOWS_BUILD="$build" scripts/windows.sh package "$work/next" "$next" >"$work/next.log" 2>&1 ||
  { cat "$work/next.log" >&2; fail "the MSI of $next failed"; }
next_msi="$work/next/tirel-$next-windows-x86_64.msi"
next_product="$(msi_property "$next_msi" ProductCode)"
[ "$next_product" != "$product" ] || fail "versions $version and $next share a product code"
"$wine" msiexec /i "Z:${next_msi//\//\\}" /qn || fail "msiexec /i of $next failed with status $?"
check_installed "$next_product" "$next"
if "$wine" msiexec /i "Z:${msi//\//\\}" /qn; then fail "the MSI of $version installed over $next"; fi
check_installed "$next_product" "$next"
echo "upgraded to $next: one entry, $next_product; $version then refused"

# Uninstalling leaves no file, folder, shortcut, key or value naming Tirel or its product, upgrade
# or component codes (as they are or packed); Windows Installer's own empty folders and container
# keys may stay, as on Windows.
"$wine" msiexec /x "Z:${next_msi//\//\\}" /qn || fail "msiexec /x ... /qn failed with status $?"
snapshot "$work/after"
codes=("$product" "$next_product" "$(msi_property "$msi" UpgradeCode)")
mapfile -t -O 3 codes < <(msi_table "$next_msi" Component | awk -F'\t' 'NR > 3 { print $2 }')
mapfile -t -O "${#codes[@]}" codes < <(for code in "${codes[@]}"; do packed_guid "$code"; done)
comm -13 "$work/before" "$work/after" >"$work/left"
if grep -Ei "$(IFS='|' && echo "Tirel|${codes[*]//[\{\}]/}")" "$work/left" >&2; then
  fail "the uninstall left the lines above"
fi
while read -r path; do
  [ -d "$WINEPREFIX/drive_c/$path" ] && [ -z "$(ls -A "$WINEPREFIX/drive_c/$path")" ] || fail "the uninstall left $path"
done < <(sed -n 's/^file //p' "$work/left")
echo "uninstalled: nothing of Tirel left ($(wc -l <"$work/left") new empty folders and container keys)"
echo "MSI install, run, upgrade and uninstall: $((SECONDS - started)) s"

# The offscreen platform the suites run on reads the fonts of one folder on Windows; it gets the
# same Debian faces as the Linux run. Liberation Sans 2 is fonts-liberation2's on Debian 12, whose
# fonts-liberation folder holds version 1.
mkdir "$work/fonts"
liberation=/usr/share/fonts/truetype/liberation2
[ -d "$liberation" ] || liberation=/usr/share/fonts/truetype/liberation
for face in "$liberation"/LiberationSans-*.ttf /usr/share/fonts/opentype/urw-base35/NimbusSansNarrow-*.otf \
  /usr/share/fonts/opentype/comic-neue/ComicNeue-*.otf /usr/share/fonts/truetype/dejavu/DejaVuSans*.ttf; do
  [ -e "$face" ] && ln -s "$face" "$work/fonts/"
done
export QT_QPA_FONTDIR="Z:$work/fonts"

# Two window tests skip themselves on Windows (QSKIP, with the reason): they measure the drawn ink
# of the free faces, which the offscreen platform draws there through Qt's own FreeType settings,
# not fontconfig's, and a Windows desktop draws its real faces instead, which Wine cannot show.
started=$SECONDS
ctest --test-dir "$build" --output-on-failure --timeout 600 ||
  fail "a cross-built suite failed under Wine"
echo "suites under Wine: $((SECONDS - started)) s"
unset QT_QPA_FONTDIR

# The probe build, in a copy of the zip's folder: its "Info" waits for the browser's record.
started=$SECONDS
mkdir "$work/probe"
unzip -q "$zip" -d "$work/probe"
probe="$(find "$work/probe" -name tirel.exe -printf '%h')"
cp "$build/tirel_probe.exe" "$probe/"
status=0
# A Catalan user: Wine gives Windows programs the locale of LC_ALL.
LC_ALL=ca_ES.UTF-8 TIREL_PROBE_LOCALE=ca_ES TIREL_PROBE_PLATFORM=windows \
  TIREL_PROBE_INFO_MARK="Z:$opened" QT_QPA_PLATFORM=windows QT_QPA_GENERIC_PLUGINS=tirelprobe \
  timeout 120 "$run" "$probe/tirel_probe.exe" >"$work/probe.log" 2>&1 || status=$?
# Windows ends its lines with CR LF.
sed -i 's/\r$//' "$work/probe.log"
grep '^windows probe:' "$work/probe.log" || true
grep -q '^windows probe: closed the last window$' "$work/probe.log" ||
  { cat "$work/probe.log" >&2; fail "the probe did not get through its steps"; }
[ "$status" -eq 0 ] || { cat "$work/probe.log" >&2; fail "the probe build ended with status $status"; }
page="$(page_opened)"
[ "$page" = "Z:${probe//\//\\}\\ajuda.html" ] || fail "the zip's Info.bat opened '$page', not the zip's ajuda.html"
echo "the zip's Info.bat opened $page"

# The zip's own tirel.exe, alone with its documents: no DLL beside it.
mkdir "$work/zip"
unzip -q "$zip" -d "$work/zip"
exe="$(find "$work/zip" -name tirel.exe)"
[ "$(find "$work/zip" -iname '*.dll' | wc -l)" -eq 0 ] || fail "the zip carries a DLL"
status=0
QT_QPA_PLATFORM=windows QT_QPA_GENERIC_PLUGINS= timeout 120 "$run" "$exe" >"$work/tirel.log" 2>&1 &
app_pid=$!
window="$(main_window)" ||
  { cat "$work/tirel.log" >&2; fail "the window of tirel.exe did not appear"; }
sleep 1
read -r width height < <(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
echo "tirel.exe window: ${width} x ${height} (the client area and the menu bar)"
[ "$width" -eq 619 ] && [ "$height" -gt 599 ] && [ "$height" -lt 640 ] ||
  fail "the window of tirel.exe is ${width} x ${height}, not 619 wide and 599 plus a menu bar high"
# Alt+F4 is how a Windows user closes the window; Windows turns it into the close message.
xdotool windowfocus --sync "$window" key --clearmodifiers alt+F4
wait "$app_pid" || status=$?
[ "$status" -eq 0 ] || { cat "$work/tirel.log" >&2; fail "tirel.exe ended with status $status"; }
echo "tirel.exe ended with status 0 after its window closed"
echo "smoke runs: $((SECONDS - started)) s"
echo "windows check passed"
