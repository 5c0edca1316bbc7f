# shellcheck shell=bash
# Sourced by the Windows scripts: what a cross build needs before it starts.
#
#   skip_without_windows_tools NAME   exits 0, saying which package is missing,
#                                     where the mingw compiler, wine or
#                                     GoogleTest's source is not installed
#   windows_cmake_launcher            fills the array `launcher` with the CMake
#                                     options that put ccache in front of the
#                                     compilers, where ccache is installed

skip_without_windows_tools() {
  local missing=()
  command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-x86-64-posix)
  command -v wine >/dev/null && command -v wineserver >/dev/null || missing+=(wine wine64)
  [ -f /usr/src/googletest/CMakeLists.txt ] || missing+=(googletest)
  if [ ${#missing[@]} -gt 0 ]; then
    echo "$1: skipped, not installed: ${missing[*]} (scripts/install-deps.sh installs them)"
    exit 0
  fi
}

windows_cmake_launcher() {
  launcher=()
  if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    # Clones and worktrees share the cache.
    export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
  fi
}
