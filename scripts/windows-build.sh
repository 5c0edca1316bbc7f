# shellcheck shell=bash
# Sourced by the Windows scripts: what a cross build needs before it starts.
#
#   skip_without_windows_tools NAME   exits 0, saying which package is missing,
#                                     where the mingw compiler, wine or
#                                     GoogleTest's source is not installed
#   windows_cmake_launcher            fills the array `launcher` with the CMake
#                                     options that put ccache in front of the
#                                     compilers, where ccache is installed
#   wine_ctest NAME DIR LOG [ARGS]    runs DIR's tests under wine (ctest with
#                                     ARGS) into LOG, prints the summary and,
#                                     for a failure, that test's output

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

# A failing test's own output, from a log of `ctest --output-on-failure -j`:
# the lines after its "***Failed" line up to the next test's line.
failed_test_output() {
  awk '/^ *[0-9]+\/[0-9]+ Test +#[0-9]+: .*(\*\*\*|Exception|Timeout)/ { show = 1; shown = 0; print; next }
       /^ *([0-9]+\/[0-9]+ Test +#|Start +[0-9]+:)|tests passed/ { show = 0 }
       show && NF && shown < 60 { print "    " $0; ++shown }' "$1"
}

# A test that fails under wine is run once more, on its own: wine has been
# seen to fail a test process now and then that passes on every other run.
# The first failure's output is printed either way, so it is never hidden;
# the step fails only when the test fails again.
wine_ctest() {
  local name=$1 dir=$2 log=$3 code=0
  shift 3
  nice -n 10 ctest --test-dir "$dir" --output-on-failure "$@" >"$log" 2>&1 || code=$?
  grep -E "tests passed|tests failed|^\s+[0-9]+ - .*\((Failed|Timeout|Not Run|Exception|SEGFAULT)" "$log" || true
  echo "$name: full log of the tests under wine: $log"
  [ $code -ne 0 ] || return 0
  echo "$name: what the failing tests printed:"
  failed_test_output "$log"
  code=0
  nice -n 10 ctest --test-dir "$dir" --output-on-failure --rerun-failed "$@" >"$log.again" 2>&1 || code=$?
  if [ $code -eq 0 ]; then
    echo "$name: FLAKY UNDER WINE: the failing tests passed when run again ($log.again)"
  else
    echo "$name: the failing tests failed again ($log.again):"
    failed_test_output "$log.again"
  fi
  return "$code"
}
