#!/usr/bin/env bash
# Runs clang-tidy with the checks in .clang-tidy, using the compile commands
# of the build folder given (default build/); exits non-zero when a check
# finds something. By default over the plain C++ layers and the command-line
# programs (what CI runs: about three CPU-minutes); with --all also over the
# Qt layers and the window's program (about ten more, Qt's headers are
# large). The tests are left to the compilers' warnings.
#
# A source whose check passed is not checked again while nothing it reads
# changes (scripts/tidy-keys.py says what that is): the keys of passed
# checks are kept in $DRAVINOR_TIDY_CACHE (default ~/.cache/dravinor-tidy),
# shared by every clone, and forgotten after 30 days unused. An empty
# DRAVINOR_TIDY_CACHE checks everything.
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
extra_args=(-extra-arg=-Wno-sign-conversion -extra-arg=-Wno-unknown-warning-option)
sources="$PWD/($scope)/.*\.cpp$"
cache=${DRAVINOR_TIDY_CACHE-${XDG_CACHE_HOME:-$HOME/.cache}/dravinor-tidy}
keys=$db/keys
if [ -n "$cache" ] && mkdir -p "$cache" 2>/dev/null; then
  { clang-tidy --version; cat .clang-tidy; echo "${extra_args[*]}"; } >"$db/identity"
  python3 scripts/tidy-keys.py "$db/compile_commands.json" "$sources" "$PWD" "$db/identity" >"$keys"
  find "$cache" -type f -mtime +30 -delete 2>/dev/null || true
  stale=()
  while read -r key file; do
    if [ -f "$cache/$key" ]; then
      touch "$cache/$key"
    else
      stale+=("$file")
    fi
  done <"$keys"
  echo "tidy: $(($(wc -l <"$keys") - ${#stale[@]})) of $(wc -l <"$keys") sources unchanged since they passed;" \
       "checking ${#stale[@]}"
  [ ${#stale[@]} -eq 0 ] && exit 0
  # The stale ones by their paths, as one expression (paths here hold no
  # expression characters but the dot).
  sources="^($(printf '%s\n' "${stale[@]}" | sort -u | sed 's/\./\\./g' | paste -sd'|'))$"
fi
status=0
"$tidy" -quiet -p "$db" -j "$(nproc)" "${extra_args[@]}" "$sources" >"$log" 2>&1 || status=$?
if [ "$status" -eq 0 ] && [ -s "$keys" ]; then
  while read -r key _; do
    [ "$key" = - ] || : >"$cache/$key"
  done <"$keys"
fi
sed 's/\x1b\[[0-9;]*m//g' "$log" |
  grep -v -e '^[0-9]* warnings\? generated' -e '^Suppressed [0-9]* warnings' -e '^Use -header-filter=' \
          -e '^clang-tidy-14 ' -e '^Running clang-tidy' -e '^$' || true
exit "$status"
