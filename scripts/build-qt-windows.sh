#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (mingw-w64, posix threads) from Debian's own
# qt6-base source package, the same version as the host's Qt, whose tools
# (moc, rcc, uic) the cross build borrows. Only what Dravinor uses: Core, Gui,
# Widgets, PrintSupport, Test, the windows platform plugin and the Vista style.
#
# The result goes to a cache folder outside the clone,
#   ${DRAVINOR_QT_CACHE:-/opt/dravinor}/qt6-mingw-<version>-<key>
# where the key hashes the source package's checksum, the configure line, the
# local fixes and the compiler's version: it is built once per machine, and a
# second run only prints the prefix. The prefix is the last line on stdout;
# everything else goes to stderr.
#
# A run that is stopped while building leaves its tree under
# ${DRAVINOR_QT_WORK:-/var/tmp/dravinor-qt-build}; the next run goes on from
# there. Needs root (apt-get) and Debian's mirror. Every heavy step runs niced, so
# the build takes only idle CPU. DRAVINOR_QT_JOBS sets the parallel jobs
# (default: the number of cores). With --cached-only it builds nothing: it
# prints the prefix when the cache is there and exits 3 when it is not.
set -euo pipefail
cached_only=no
[ "${1:-}" = --cached-only ] && cached_only=yes

cache_root=${DRAVINOR_QT_CACHE:-/opt/dravinor}
work_root=${DRAVINOR_QT_WORK:-/var/tmp/dravinor-qt-build}
jobs=${DRAVINOR_QT_JOBS:-$(nproc)}
triple=x86_64-w64-mingw32
host_cmake_dir=/usr/lib/x86_64-linux-gnu/cmake

say() { echo "build-qt-windows: $*" >&2; }
die() { say "$*"; exit 1; }

# Below other work on a shared machine: lowest CPU and I/O priority.
idle=(nice -n 19)
command -v ionice >/dev/null && idle+=(ionice -c3)

# --- packages -----------------------------------------------------------------
# wine64 and nsis are not needed for Qt itself but for what is built with it
# (tests under wine, the installer); one script brings the whole road.
packages=(g++-mingw-w64-x86-64-posix wine wine64 nsis dpkg-dev xz-utils cmake ninja-build perl
          qt6-base-dev qt6-base-dev-tools)
install_missing_packages() {
  local missing installed
  # One dpkg-query for all: the warm path should cost next to nothing. It
  # fails when a package was never installed: that is what we ask it.
  installed=$( (dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null || true) |
                awk '/ install ok installed$/ { print $1 }')
  mapfile -t missing < <(printf '%s\n' "${packages[@]}" | grep -vxF -f <(echo "$installed"))
  [ ${#missing[@]} -eq 0 ] && return 0
  [ "$(id -u)" -eq 0 ] || die "need root to install: ${missing[*]}"
  say "installing ${missing[*]}"
  apt-get update -qq >&2
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
}
install_missing_packages

package_version() { dpkg-query -W -f='${Version}' "$1"; }
debian_version=$(package_version qt6-base-dev)     # e.g. 6.4.2+dfsg-10
qt_version=${debian_version%%+*}                   # e.g. 6.4.2
qt_version=${qt_version%%-*}
compiler_id="$(package_version g++-mingw-w64-x86-64-posix) $(package_version mingw-w64-x86-64-dev) \
$(package_version binutils-mingw-w64-x86-64)"

# --- what the build is made of ----------------------------------------------------
# The cross compiler for Qt's own build; our code has cmake/mingw-w64-x86_64.cmake.
qt_toolchain="set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)"

# Bundled third-party code throughout, so nothing of the mingw sysroot (its
# zlib) becomes a DLL to ship. tabletevent is off because Debian's tarball
# drops 3rdparty/wintab; zstd because Debian's patch insists on a shared one.
configure_options=(
  -release -shared -opensource -confirm-license
  -xplatform win32-g++ -qt-host-path /usr
  -nomake examples -nomake tests -no-pkg-config
  -no-dbus -no-opengl
  -no-feature-vulkan -no-feature-direct2d -no-feature-tabletevent
  -no-feature-network -no-feature-sql -no-feature-xml -no-feature-concurrent
  -no-feature-zstd -no-feature-androiddeployqt
  -qt-zlib -qt-pcre -qt-doubleconversion -qt-freetype -qt-harfbuzz -qt-libpng -qt-libjpeg
)

# Qt 6.4.2 builds its DirectWrite font database and font engine only with
# direct2d, but the windows plugin uses the database whenever directwrite3 is
# on, and the print engine the font engine whenever directwrite is: ask for
# direct2d too. Each fix: the file, then its sed expression.
source_fixes=(
  src/plugins/platforms/windows/qwindowsintegration.cpp
  's/^#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/'
  src/printsupport/platform/windows/qprintengine_win.cpp
  's/^#if QT_CONFIG(directwrite)$/#if QT_CONFIG(directwrite) \&\& QT_CONFIG(direct2d)/'
)
apply_source_fixes() {
  local tree=$1 i file
  for ((i = 0; i < ${#source_fixes[@]}; i += 2)); do
    file=$tree/${source_fixes[i]}
    sed -i "${source_fixes[i + 1]}" "$file"
    grep -q ') && QT_CONFIG(direct2d)$' "$file" || die "the DirectWrite fix no longer applies to ${source_fixes[i]}"
  done
}

# --- Debian's source ------------------------------------------------------------------
# shellcheck source=scripts/debian-source.sh
source "$(dirname "$0")/debian-source.sh"
checksum_file=$cache_root/.qt6-base-sources/qt6-base_$debian_version.dsc.sha256
source_checksum() { debian_dsc_checksum qt6-base "$debian_version"; }

mkdir -p "$cache_root"
exec 9>"$cache_root/.qt6-mingw.lock"
flock 9   # one build at a time; a second caller waits and then finds it built

key=$( { source_checksum; echo "$compiler_id"; echo "${configure_options[*]}"; printf '%s\n' "${source_fixes[@]}";
         echo "$qt_toolchain"; } | sha256sum | cut -c1-12)
prefix=$cache_root/qt6-mingw-$qt_version-$key
done_mark=$prefix/.dravinor-complete
stop_when_cached "$prefix"

# --- build ------------------------------------------------------------------------
# CPU seconds of all finished child processes, into children_cpu. `times`
# must run in this shell: in a pipe or $(...) it would count a subshell's.
children_cpu_file=$(mktemp)
read_children_cpu() {
  times >"$children_cpu_file"
  children_cpu=$(tail -n 1 "$children_cpu_file" |
    awk '{ t = 0; for (i = 1; i <= 2; i++) { split($i, a, /[ms]/); t += a[1] * 60 + a[2] }; printf "%d", t }')
}
started=$SECONDS
read_children_cpu
cpu_before=$children_cpu
build_dir=$work_root/$key
log=$build_dir/build.log
run_logged() {
  if ! "${idle[@]}" "$@" >>"$log" 2>&1; then
    tail -n 40 "$log" >&2
    die "failed: $* (the whole log: $log; the tree is kept)"
  fi
}
configured_mark=$build_dir/.configured
resumed=no
if [ -e "$configured_mark" ]; then
  # An earlier run was stopped while building: ninja goes on where it was.
  resumed=yes
  say "resuming the build in $build_dir"
else
  rm -rf "$build_dir" "$prefix"
  mkdir -p "$build_dir/source" "$build_dir/build"
  fetch_debian_source qt6-base "$debian_version" "$build_dir/source"
  source_tree=$(find "$build_dir/source" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*')
  [ -d "$source_tree" ] || die "no unpacked source in $build_dir/source"

  apply_source_fixes "$source_tree"
  printf '%s\n' "$qt_toolchain" >"$build_dir/toolchain.cmake"

  say "configuring (log: $log)"
  cd "$build_dir/build"
  run_logged "$source_tree/configure" "${configure_options[@]}" -prefix "$prefix" -- \
    -G Ninja -DCMAKE_TOOLCHAIN_FILE="$build_dir/toolchain.cmake" -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir"
  touch "$configured_mark"
fi
cd "$build_dir/build"
say "building with $jobs jobs"
run_logged cmake --build . --parallel "$jobs"
run_logged cmake --install . --strip

wall=$((SECONDS - started))
read_children_cpu
cpu=$((children_cpu - cpu_before))
rm -f "$children_cpu_file"
{
  echo "qt6-base $debian_version (.dsc sha256 $(cat "$checksum_file"))"
  echo "compiler: $compiler_id"
  echo "configure: ${configure_options[*]}"
  printf 'fix: %s: %s\n' "${source_fixes[@]}"
  echo "built: $(date -u +%Y-%m-%dT%H:%M:%SZ) on $(nproc) cores, $jobs jobs, wall $wall s, CPU $cpu s (resumed: $resumed)"
} >"$prefix/BUILD-INFO.txt"
touch "$done_mark"
cd /
rm -rf "$build_dir"
say "installed in $wall s wall, $cpu s CPU: $(du -sh "$prefix" | cut -f1) in $prefix"
echo "$prefix"
