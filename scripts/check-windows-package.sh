#!/usr/bin/env bash
# Tries what scripts/package-windows.sh made in $1/package (default
# build-win-app) under wine, in WINEPREFIX (give it one of its own):
#   - the zip unpacked: its dravinor-cli.exe and dravinor.exe print their
#     version, with no DLL folders given (what they need must lie beside
#     them), and its guides are CRLF text with a byte order mark;
#   - the installer silently (/S): both programs in the user's
#     %LOCALAPPDATA%\Programs\Dravinor run, the Start-menu entries
#     "Dravinor" and "Dravinor demo" (the latter with --demo) exist, and so
#     does the Add/Remove Programs entry with the version;
#   - the uninstaller silently: the program folder, the entries and the
#     registry key are gone.
# Exits 1 on the first fault, saying which. Skips where no package was made.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-win-app}
out="$dir/package"

setup=$(find "$out" -maxdepth 1 -name 'dravinor-*-setup.exe' 2>/dev/null | head -n 1)
zip_file=$(find "$out" -maxdepth 1 -name 'dravinor-*-windows-x64.zip' 2>/dev/null | head -n 1)
if [ -z "$setup" ] || [ -z "$zip_file" ]; then
  echo "check-windows-package: skipped, no zip and installer in $out"
  exit 0
fi
command -v unzip >/dev/null || { echo "check-windows-package: skipped, not installed: unzip"; exit 0; }
version=${setup##*/dravinor-}
version=${version%-setup.exe}

fail() { echo "check-windows-package: $*" >&2; exit 1; }
wine_run=(bash scripts/wine-run.sh)
# A folder of the prefix's user, as a Linux path.
user_folder() {
  "${wine_run[@]}" winepath.exe -u "$("${wine_run[@]}" cmd /c echo "%$1%" | tr -d '\r')" | tr -d '\r' | sed 's|/$||'
}
# expect_version PROGRAM.exe: it prints the version on a console. The window
# program has one only when started from one: into a pipe Qt would show its
# version in a message box instead. script(1) gives it a terminal, which wine
# makes its console; the console's cursor moves are dropped.
expect_version() {
  local output
  output=$(timeout 60 script -qec "$(printf '%q ' "${wine_run[@]}" "$1") --version" /dev/null </dev/null 2>&1 |
           sed 's/\x1b\[[0-9;?]*[A-Za-z]//g' | tr -d '\r') || fail "$1 --version failed: $output"
  [[ $output == *"$version"* ]] || fail "$1 --version printed '$output', not version $version"
}

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
unzip -q "$zip_file" -d "$unpacked"
expect_version "$unpacked/Dravinor-$version/dravinor-cli.exe"
expect_version "$unpacked/Dravinor-$version/dravinor.exe"
for text in CZYTAJ.txt README.txt; do
  [ "$(head -c 3 "$unpacked/Dravinor-$version/$text" | od -An -tx1 | tr -d ' ')" = efbbbf ] ||
    fail "$text in the zip has no byte order mark"
  grep -q $'\r$' "$unpacked/Dravinor-$version/$text" || fail "$text in the zip has no CRLF line ends"
done
for text in THIRD-PARTY.txt LGPL-3.txt GPL-3.txt Qt-copyright.txt GCC-runtime-copyright.txt mingw-w64-copyright.txt \
            SQLite-copyright.txt nlohmann-json-copyright.txt; do
  [ -s "$unpacked/Dravinor-$version/licenses/$text" ] || fail "the zip carries no licenses/$text"
done
grep -q "qt6-base 6" "$unpacked/Dravinor-$version/licenses/THIRD-PARTY.txt" &&
  grep -q "^    sqlite3 3" "$unpacked/Dravinor-$version/licenses/THIRD-PARTY.txt" ||
  fail "licenses/THIRD-PARTY.txt does not name the Qt and SQLite sources they were built from"
# The window program carries its icon and version as resources: Explorer,
# the Start menu and Add/Remove Programs show them.
exe="$unpacked/Dravinor-$version/dravinor.exe"
x86_64-w64-mingw32-objdump -h "$exe" | grep -q '\.rsrc' || fail "dravinor.exe carries no resources (icon, version)"
strings -el -n 3 "$exe" | grep -qx "$version" || fail "dravinor.exe's version resource does not say $version"
echo "check-windows-package: the zip's programs run"

timeout 120 "${wine_run[@]}" "$setup" /S || fail "the silent install failed"
installed="$(user_folder LOCALAPPDATA)/Programs/Dravinor"
menu="$(user_folder APPDATA)/Microsoft/Windows/Start Menu/Programs/Dravinor"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dravinor'
expect_version "$installed/dravinor-cli.exe"
expect_version "$installed/dravinor.exe"
[ -f "$menu/Dravinor.lnk" ] || fail "no Start-menu entry $menu/Dravinor.lnk"
[ -f "$menu/Dravinor demo.lnk" ] || fail "no Start-menu entry $menu/Dravinor demo.lnk"
# A link keeps its arguments as UTF-16.
strings -el "$menu/Dravinor demo.lnk" | grep -qx -- --demo || fail "the demo's entry does not pass --demo"
"${wine_run[@]}" reg query "$key" /v DisplayVersion 2>/dev/null | grep -q "REG_SZ *$version" ||
  fail "no Add/Remove Programs entry $key with version $version"
echo "check-windows-package: the installer installed into $installed, with its Start-menu and Add/Remove Programs entries"

# The uninstaller copies itself to a temporary folder and returns at once;
# the copy removes the folder. Under wine that first step now and then
# exits non-zero although the copy went on: what counts is what is left.
code=0
timeout 60 "${wine_run[@]}" "$installed/uninstall.exe" /S || code=$?
for _ in $(seq 120); do [ -e "$installed" ] || break; sleep 0.5; done
[ ! -e "$installed" ] ||
  fail "the silent uninstall (exit $code) left $installed: $(find "$installed" -mindepth 1 -printf '%P ')"
[ "$code" -eq 0 ] || echo "check-windows-package: the uninstaller exited $code, and removed the folder all the same"
[ ! -e "$menu" ] || fail "the uninstaller left $menu"
if "${wine_run[@]}" reg query "$key" >/dev/null 2>&1; then fail "the uninstaller left $key"; fi
echo "check-windows-package: the uninstaller removed the folder, the Start-menu entries and $key"
