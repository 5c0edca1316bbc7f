#!/usr/bin/env bash
# What a fitter downloads, from the Windows build in $1 (default
# build-win-app; scripts/windows-app.sh makes it), into $1/package/:
#   dravinor-VERSION-windows-x64.zip   the portable folder $1/Dravinor of
#                                      scripts/windows-portable.sh (laid out
#                                      where missing) under Dravinor-VERSION/
#                                      (Debian's zip)
#   dravinor-VERSION-setup.exe         a per-user installer (Debian's nsis,
#                                      packaging/windows/dravinor.nsi)
# Both carry CZYTAJ.txt and README.txt, the fitter's short guide in Polish
# and English, as Notepad reads them (CRLF, UTF-8 with a byte order mark),
# and the licence as LICENSE.txt.
# VERSION is the one the programs were built with (project() in CMake).
# Skips, with the reason, where zip or makensis is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-win-app}

missing=()
command -v zip >/dev/null || missing+=(zip)
command -v makensis >/dev/null || missing+=(nsis)
if [ ${#missing[@]} -gt 0 ]; then
  echo "package-windows: skipped, not installed: ${missing[*]}"
  exit 0
fi

version=$(sed -n 's/.*programVersion = "\(.*\)";/\1/p' "$dir/generated/DravinorVersion.h")
[ -n "$version" ] || { echo "package-windows: no version in $dir/generated/DravinorVersion.h" >&2; exit 1; }
# Windows' file version has four numbers.
IFS=. read -r major minor patch tweak <<<"$version"
out="$dir/package"
stage="$out/Dravinor-$version"
rm -rf "$out"
mkdir -p "$out"
[ -f "$dir/Dravinor/dravinor.exe" ] || bash scripts/windows-portable.sh "$dir" >/dev/null
cp -r "$dir/Dravinor" "$stage"
for text in CZYTAJ.txt README.txt; do
  { printf '\xef\xbb\xbf'; sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "packaging/windows/$text"; } >"$stage/$text"
done
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"

zip_file="$out/dravinor-$version-windows-x64.zip"
(cd "$out" && zip -q -r -X "$(basename "$zip_file")" "Dravinor-$version")

# The installer takes the same files; its uninstaller removes those files
# and no others, deepest folders first. makensis reads the files by their
# Linux paths.
lists="$out/nsis"
mkdir -p "$lists"
windows_name() { local p=${1#.}; echo "\$INSTDIR${p//\//\\}"; }
portable=$(realpath "$stage")
(
  cd "$stage"
  find . -type d | sort | while read -r d; do
    echo "SetOutPath \"$(windows_name "$d")\""
    find "$d" -maxdepth 1 -type f | sort | while read -r f; do echo "File \"$portable/${f#./}\""; done
  done
  echo "SetOutPath \"\$INSTDIR\""
) >"$lists/install-files.nsh"
(
  cd "$stage"
  find . -type f | sort | while read -r f; do echo "Delete \"$(windows_name "$f")\""; done
  find . -mindepth 1 -type d | sort -r | while read -r d; do echo "RMDir \"$(windows_name "$d")\""; done
) >"$lists/uninstall-files.nsh"

setup="$out/dravinor-$version-setup.exe"
nice -n 10 makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" \
  -DFILE_VERSION="${major:-0}.${minor:-0}.${patch:-0}.${tweak:-0}" -DSIZE_KB="$(du -sk "$stage" | cut -f1)" \
  -DLISTS="$(realpath "$lists")" -DICON="$(realpath data/icons/dravinor.ico)" -DOUTFILE="$(realpath "$out")/${setup##*/}" packaging/windows/dravinor.nsi
echo "package-windows: $zip_file ($(du -h "$zip_file" | cut -f1)), $setup ($(du -h "$setup" | cut -f1))"
