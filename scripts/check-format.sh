#!/usr/bin/env bash
# Checks that every C++ source in the repository is formatted as .clang-format
# says (clang-format 14, Debian 12's). With --fix, formats them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format) ||
  { echo "check-format: clang-format is not installed (Debian: clang-format)" >&2; exit 2; }
mapfile -t sources < <(git ls-files '*.h' '*.cpp')
if [ "${1:-}" = --fix ]; then
  "$format" -i "${sources[@]}"
else
  "$format" --dry-run --Werror "${sources[@]}"
fi
