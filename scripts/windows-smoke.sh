#!/usr/bin/env bash
# Proves the Windows road end to end: Qt for Windows from the cache (built if
# missing), the smoke program cross-built with cmake/mingw-w64-x86_64.cmake,
# then run under wine for a few seconds on $DISPLAY; passes when the program
# started and printed its window title. Build folder: $1 (default
# build-windows-smoke).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-windows-smoke}
[ -n "${DISPLAY:-}" ] || { echo "windows-smoke: needs DISPLAY (an Xvfb)" >&2; exit 1; }

qt=$(bash scripts/build-qt-windows.sh | tail -n 1)
cmake -S scripts/windows-smoke -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" -DDRAVINOR_QT_PREFIX="$qt" >/dev/null
cmake --build "$dir"

runtime_dirs=()
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
  runtime_dirs+=(--dll-dir "$(dirname "$(realpath "$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll)")")")
done
expected="Dravinor – próba okna / проба окна"
title=$(LANG=C.UTF-8 timeout 120 bash scripts/wine-run.sh --dll-dir "$qt/bin" "${runtime_dirs[@]}" \
          "$dir/windows-smoke.exe" --quit-after "${SMOKE_MS:-3000}" | tr -d '\r')
if [ "$title" != "$expected" ]; then
  echo "windows-smoke: expected the title '$expected', got '$title'" >&2
  exit 1
fi
echo "windows-smoke: the window '$title' ran under wine"
