#!/usr/bin/env bash
# Cross-builds the portable core for Windows (the plain layers and their
# GoogleTest suites, no Qt: cmake/CoreOnly.cmake) into build-win-core, or $1,
# and runs its tests under wine; further arguments go to CMake. Skips, with
# the reason, where the mingw compiler, wine or GoogleTest's source is missing
# (scripts/install-deps.sh installs them).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-win-core}
shift || true
# shellcheck source=scripts/wine-com1.sh
source scripts/wine-com1.sh
# shellcheck source=scripts/windows-build.sh
source scripts/windows-build.sh

skip_without_windows_tools windows-core

windows_cmake_launcher
export WINEPREFIX=${WINEPREFIX:-/var/tmp/dravinor-wine} LANG=C.UTF-8
# The wine prefix is made, and its wineserver kept running, before the build:
# the test discovery after each link starts the programs in parallel.
started=$SECONDS
bash scripts/wine-run.sh cmd /c exit 0 >/dev/null 2>&1 || true
echo "windows-core: wine prefix $WINEPREFIX ready in $((SECONDS - started)) s"

nice -n 10 cmake --no-warn-unused-cli -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRAVINOR_CORE_ONLY=ON -DDRAVINOR_BUILD_BENCH=OFF "${launcher[@]}" "$@" >/dev/null
nice -n 10 cmake --build "$dir" --parallel "$(nproc)"

status=0
wine_ctest windows-core "$dir" "$dir/wine-tests.log" -j "$(nproc)" --timeout 300 || status=$?

# The Win32 serial device on a line: wine's COM1 mapped to the simulator's
# pseudo-terminal (HKLM\Software\Wine\Ports, read when the wineserver
# starts), all 35 parameters read seven times.
sim=${DRAVINOR_SIM:-build/sim/dravinor-sim}
check="$dir/tests/windows/dravinor_read_all_over_com.exe"
if [ -x "$sim" ] && [ -f "$check" ]; then
  sim_on_com1 "$sim"
  mapfile -t dll_dirs < <(mingw_runtime_dll_dirs)
  read_status=0
  echo -n "windows-core: COM1 under wine against $sim: "
  timeout 120 bash scripts/wine-run.sh "${dll_dirs[@]}" "$check" COM1 || read_status=$?
  sim_off_com1
  [ $read_status -eq 0 ] || status=$read_status
else
  echo "windows-core: no $sim (the Linux build's simulator): the COM port check is skipped"
fi
programs=$(find "$dir/tests" -name '*_tests.exe' | wc -l)
echo "windows-core: $programs test programs under $(wine --version 2>/dev/null); full log: $dir/wine-tests.log"
exit $status
