#!/usr/bin/env bash
# Cross-builds the whole program for Windows (the window, the CLI and the
# test programs that need no POSIX) into build-win-app, or $1, against the
# Qt for Windows of scripts/build-qt-windows.sh (built first where it is
# missing, about an hour) and the static SQLite of
# scripts/build-sqlite-windows.sh (under a minute), and runs it under wine:
#   - the test programs (ctest);
#   - dravinor-cli.exe read, write, live and adapt against the Linux
#     dravinor-sim through wine's COM1 (scripts/windows-cli-check.sh);
#   - dravinor.exe --demo, from the portable folder of
#     scripts/windows-portable.sh, on an Xvfb display of its own
#     (DRAVINOR_XVFB_DISPLAY, default :71): its title is checked and a
#     screenshot kept in the build folder (scripts/windows-demo-check.sh);
#   - the zip and the installer of scripts/package-windows.sh, unpacked,
#     installed and uninstalled (scripts/check-windows-package.sh).
# Further arguments go to CMake. It restarts the wineserver of its
# WINEPREFIX (give it one of its own). Each step's time is printed. Skips,
# with the reason, where the mingw compiler, wine, Xvfb, the simulator, zip
# or nsis is missing. Exits non-zero when any step failed, after all ran.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-win-app}
shift || true
# shellcheck source=scripts/windows-build.sh
source scripts/windows-build.sh

skip_without_windows_tools windows-app
qt=$(bash scripts/build-qt-windows.sh | tail -n 1)
sqlite=$(bash scripts/build-sqlite-windows.sh | tail -n 1)

windows_cmake_launcher
export WINEPREFIX=${WINEPREFIX:-/var/tmp/dravinor-wine} LANG=C.UTF-8

# The Xvfb display goes to every wine program of the run: wine's desktop
# process takes the display of the program that started its wineserver.
display=${DRAVINOR_XVFB_DISPLAY:-:71}
xvfb_pid=""
if command -v Xvfb >/dev/null && command -v xdotool >/dev/null && [ ! -e "/tmp/.X11-unix/X${display#:}" ]; then
  Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
  export DISPLAY=$display
  wineserver -k 2>/dev/null || true
fi
started=$SECONDS
bash scripts/wine-run.sh cmd /c exit 0 >/dev/null 2>&1 || true
# Wine has none of Windows' fonts: the pages' Arial would become a wide serif
# and their last rows run under the status line. DejaVu Sans stands in for
# it, as Arial does on a real PC.
bash scripts/wine-run.sh reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ /d 'DejaVu Sans' /f \
  >/dev/null 2>&1 || true
echo "windows-app: wine prefix $WINEPREFIX ready in $((SECONDS - started)) s"

started=$SECONDS
nice -n 10 cmake --no-warn-unused-cli -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRAVINOR_QT_PREFIX="$qt" -DDRAVINOR_SQLITE_PREFIX="$sqlite" -DDRAVINOR_BUILD_BENCH=OFF "${launcher[@]}" "$@" >/dev/null
nice -n 10 cmake --build "$dir" --parallel "$(nproc)"
echo "windows-app: built in $((SECONDS - started)) s"
# The folder a portable zip takes; the window's demo below runs from it.
bash scripts/windows-portable.sh "$dir"

status=0
# step NAME COMMAND...: runs one step, timed; a failure is remembered.
step() {
  local name=$1 started=$SECONDS code=0
  shift
  "$@" || code=$?
  echo "windows-app: $name: exit $code in $((SECONDS - started)) s"
  [ $code -eq 0 ] || status=1
}

# shellcheck disable=SC2317 # called through step
wine_tests() {
  QT_QPA_PLATFORM=offscreen wine_ctest windows-app "$dir" "$dir/wine-tests.log" -j "$(nproc)" --timeout 300 -LE 'slow|pty'
}
step "tests under wine" wine_tests
step "the CLI over COM1" bash scripts/windows-cli-check.sh "$dir"
if [ -n "$xvfb_pid" ]; then
  step "the window's demo" bash scripts/windows-demo-check.sh "$dir"
else
  echo "windows-app: Xvfb or xdotool missing, or $display taken: the window's demo is skipped"
fi
step "zip and installer" bash scripts/package-windows.sh "$dir"
step "the package under wine" bash scripts/check-windows-package.sh "$dir"
exit $status
