#!/usr/bin/env bash
# Runs clang-tidy with the checks in .clang-tidy, using the compile commands
# of the build folder given (default build/); exits non-zero when a check
# finds something. By default over the plain C++ layers and the command-line
# programs (what CI runs: about three CPU-minutes); with --all also over the
# Qt layers and the window's program (about ten more, Qt's headers are
# large). The tests are left to the compilers' warnings.
#
#   scripts/tidy.sh [--all] [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
scope='src/(link|params|book|fields|wizard|report|lang|diagnostics)|cli|sim'
if [ "${1:-}" = --all ]; then
  scope='src|cli|app|sim'
  shift
fi
dir=${1:-build}
[ -f "$dir/compile_commands.json" ] || { echo "tidy: no $dir/compile_commands.json; build first" >&2; exit 2; }
tidy=$(command -v run-clang-tidy-14 || command -v run-clang-tidy) ||
  { echo "tidy: run-clang-tidy is not installed (Debian: clang-tidy)" >&2; exit 2; }
log=$(mktemp)
db=$(mktemp -d)
trap 'rm -rf "$log" "$db"' EXIT
# The Qt and test targets force-include a header that GCC precompiled beside
# it; clang's driver would take that .gch for its own and fail on it. The
# header is handed to clang's front end directly, where nothing looks for one.
sed -E 's#-include ([^ "]*/cmake_pch\.hxx)#-Xclang -include -Xclang \1#g' "$dir/compile_commands.json" \
  >"$db/compile_commands.json"
# The compile commands are GCC's: clang's -Wconversion would add the sign
# conversions that GCC's leaves out in C++, and GCC's own warning options are
# unknown to clang. Our sources only: the moc files
# in the build folder are generated.
status=0
"$tidy" -quiet -p "$db" -j "$(nproc)" -extra-arg=-Wno-sign-conversion \
  -extra-arg=-Wno-unknown-warning-option "$PWD/($scope)/.*\.cpp$" >"$log" 2>&1 ||
  status=$?
sed 's/\x1b\[[0-9;]*m//g' "$log" |
  grep -v -e '^[0-9]* warnings\? generated' -e '^Suppressed [0-9]* warnings' -e '^Use -header-filter=' \
          -e '^clang-tidy-14 ' -e '^Running clang-tidy' -e '^$' || true
exit "$status"
