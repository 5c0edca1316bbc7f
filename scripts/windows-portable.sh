#!/usr/bin/env bash
# Lays out the Windows build in $1 (default build-win-app) as a folder a
# portable zip can take, $2 (default $1/Dravinor): the two programs, Qt's
# DLLs and the plugins they load (the windows platform, the Vista style; the
# pictures are PNG, which Qt's own code reads, so no image format plugin),
# the mingw C++ runtime stripped of its debug information, Qt's own words
# in Polish and Russian (its question boxes' "Tak"/"Nie"), lang/ and help/,
# and licenses/: the licences of the libraries it carries and where their
# source is.
# Windows finds a program's DLLs, and Qt its plugins, beside the program.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-win-app}
out=${2:-$dir/Dravinor}
qt=$(bash scripts/build-qt-windows.sh | tail -n 1)
sqlite=$(bash scripts/build-sqlite-windows.sh | tail -n 1)

rm -rf "$out"
mkdir -p "$out/platforms" "$out/styles"
cp "$dir/app/dravinor.exe" "$dir/cli/dravinor-cli.exe" "$out/"
for module in Core Gui Widgets PrintSupport; do
  cp "$qt/bin/Qt6$module.dll" "$out/"
done
cp "$qt/plugins/platforms/qwindows.dll" "$out/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$out/styles/"
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
  x86_64-w64-mingw32-strip -o "$out/$dll" "$(realpath "$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll)")"
done
x86_64-w64-mingw32-strip "$out"/*.exe
# Qt's translations are the same files on every system: the host's Qt of
# the same version gives them. The window looks for them in translations/ beside it.
mkdir -p "$out/translations"
for language in pl ru; do
  cp "/usr/share/qt6/translations/qtbase_$language.qm" "$out/translations/"
done
cp -r lang help "$out/"
# What the folder carries of others' work, under their licences: Qt's
# DLLs (LGPL 3, each part's licence in Debian's copyright file of the
# source they were built from, and where that source is), the GCC runtime
# and winpthreads (Debian's copyright files of the cross compiler's); SQLite
# and nlohmann-json, which are inside the programs.
licences="$out/licenses"
mkdir -p "$licences"
crlf() { sed 's/$/\r/' "$1" >"$2"; }
crlf /usr/share/common-licenses/LGPL-3 "$licences/LGPL-3.txt"
crlf /usr/share/common-licenses/GPL-3 "$licences/GPL-3.txt"
crlf /usr/share/doc/libqt6core6/copyright "$licences/Qt-copyright.txt"
crlf /usr/share/doc/qt6-translations-l10n/copyright "$licences/Qt-translations-copyright.txt"
crlf /usr/share/doc/gcc-mingw-w64-base/copyright "$licences/GCC-runtime-copyright.txt"
crlf /usr/share/doc/mingw-w64-common/copyright "$licences/mingw-w64-copyright.txt"
crlf "$qt/BUILD-INFO.txt" "$licences/Qt-BUILD-INFO.txt"
crlf "$sqlite/copyright" "$licences/SQLite-copyright.txt"
crlf /usr/share/doc/nlohmann-json3-dev/copyright "$licences/nlohmann-json-copyright.txt"
qt_source=$(head -n 1 "$qt/BUILD-INFO.txt")
sqlite_source=$(head -n 1 "$sqlite/BUILD-INFO.txt")
json_version=$(dpkg-query -W -f='${Version}' nlohmann-json3-dev)
sed -e "s/@QT_SOURCE@/$qt_source/" -e "s/@SQLITE_SOURCE@/$sqlite_source/" -e "s/@JSON_VERSION@/$json_version/" \
    -e 's/$/\r/' packaging/windows/THIRD-PARTY.txt >"$licences/THIRD-PARTY.txt"
echo "windows-portable: $out, $(du -sh "$out" | cut -f1)"
