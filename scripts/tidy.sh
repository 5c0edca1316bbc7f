#!/usr/bin/env bash
# Runs clang-tidy with the checks in .clang-tidy over the programs' sources
# (src, cli, app, sim; the tests are left to the compilers' warnings), using
# the compile commands of the build folder given (default build/).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
[ -f "$dir/compile_commands.json" ] || { echo "tidy: no $dir/compile_commands.json; build first" >&2; exit 2; }
tidy=$(command -v run-clang-tidy-14 || command -v run-clang-tidy) ||
  { echo "tidy: run-clang-tidy is not installed (Debian: clang-tidy)" >&2; exit 2; }
# Our sources only: the moc files in the build folder are generated.
"$tidy" -quiet -p "$dir" -j "$(nproc)" "$PWD/(src|cli|app|sim)/.*\.cpp$" 2>&1 |
  grep -v -e '^[0-9]* warnings\? generated' -e '^Suppressed [0-9]* warnings' \
          -e '^Use -header-filter=' -e '^clang-tidy-14 ' -e '^Running clang-tidy' -e '^$' || true
exit "${PIPESTATUS[0]}"
