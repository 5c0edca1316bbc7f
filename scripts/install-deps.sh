#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those
# missing, so a second run costs nothing. Needs root or sudo.
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev libgl-dev fonts-dejavu-core clang libclang-rt-14-dev
          qt6-translations-l10n dpkg-dev file ccache lintian bash-completion poppler-utils
          clang-format clang-tidy libsqlite3-dev nlohmann-json3-dev)
# The Windows cross compiler and wine (scripts/windows-core.sh,
# windows-app.sh), the display for the window's demo and its screenshot, and
# the zip and installer makers (scripts/package-windows.sh), tclsh for
# SQLite's one-file source (scripts/build-sqlite-windows.sh): wanted, not
# needed; where they cannot be installed those stages skip.
windows_packages=(g++-mingw-w64-x86-64-posix wine wine64 googletest xvfb xdotool imagemagick nsis zip unzip tcl)

missing_of() {
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || echo "$package"
  done
}
mapfile -t missing < <(missing_of "${packages[@]}")
mapfile -t windows_missing < <(missing_of "${windows_packages[@]}")
[ ${#missing[@]} -eq 0 ] && [ ${#windows_missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "install-deps: need root or sudo to install: ${missing[*]} ${windows_missing[*]}" >&2
    [ ${#missing[@]} -eq 0 ] && exit 0  # only the Windows program's: its stages skip
    exit 1
  fi
  as_root=(sudo)
fi
"${as_root[@]}" apt-get update -qq
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [ ${#windows_missing[@]} -gt 0 ]; then
  echo "Installing for the Windows program: ${windows_missing[*]}"
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
    "${windows_missing[@]}" ||
    echo "install-deps: could not install ${windows_missing[*]}; the Windows stages will skip" >&2
fi
