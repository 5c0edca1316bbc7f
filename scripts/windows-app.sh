#!/usr/bin/env bash
# Cross-builds the whole program for Windows (the window, the CLI and the
# test programs that need no POSIX) into build-win-app, or $1, against the
# Qt for Windows of scripts/build-qt-windows.sh, and runs it under wine:
#   - the test programs (ctest);
#   - dravinor-cli.exe read and live --count 40 against the Linux
#     dravinor-sim through wine's COM1;
#   - dravinor.exe --demo, from the portable folder of
#     scripts/windows-portable.sh, on an Xvfb display of its own (DRAVINOR_XVFB_DISPLAY,
#     default :71): its title is checked and a screenshot kept in the build
#     folder (dravinor-demo.png).
# Further arguments go to CMake. It restarts the wineserver of its
# WINEPREFIX (give it one of its own). Skips, with the reason, where the mingw
# compiler, wine, Xvfb or the simulator is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-win-app}
shift || true
# shellcheck source=scripts/wine-com1.sh
source scripts/wine-com1.sh
# shellcheck source=scripts/windows-build.sh
source scripts/windows-build.sh

skip_without_windows_tools windows-app
qt=$(bash scripts/build-qt-windows.sh | tail -n 1)

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
bash scripts/wine-run.sh cmd /c exit 0 >/dev/null 2>&1 || true
# Wine has none of Windows' fonts: the pages' Arial would become a wide serif
# and their last rows run under the status line. DejaVu Sans stands in for
# it, as Arial does on a real PC.
bash scripts/wine-run.sh reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ /d 'DejaVu Sans' /f \
  >/dev/null 2>&1 || true

started=$SECONDS
nice -n 10 cmake --no-warn-unused-cli -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRAVINOR_QT_PREFIX="$qt" -DDRAVINOR_BUILD_BENCH=OFF "${launcher[@]}" "$@" >/dev/null
nice -n 10 cmake --build "$dir" --parallel "$(nproc)"
echo "windows-app: built in $((SECONDS - started)) s"
# The folder a portable zip takes; the window's demo below runs from it.
bash scripts/windows-portable.sh "$dir"

status=0
started=$SECONDS
log="$dir/wine-tests.log"
QT_QPA_PLATFORM=offscreen nice -n 10 ctest --test-dir "$dir" -j "$(nproc)" --timeout 300 -LE 'slow|pty' \
  --output-on-failure >"$log" 2>&1 || status=$?
grep -E "tests passed|tests failed|^\s+[0-9]+ - .*\((Failed|Timeout|Not Run|Exception|SEGFAULT)" "$log" || true
echo "windows-app: tests under wine in $((SECONDS - started)) s; full log: $log"

mapfile -t runtime < <(mingw_runtime_dll_dirs)
run=(bash scripts/wine-run.sh --dll-dir "$qt/bin" "${runtime[@]}")

# The CLI over wine's COM1, against the Linux simulator.
sim=${DRAVINOR_SIM:-build/sim/dravinor-sim}
cli="$dir/cli/dravinor-cli.exe"
if [ -x "$sim" ]; then
  export DRAVINOR_STATE_DIR
  DRAVINOR_STATE_DIR=$(mktemp -d)
  sim_on_com1 "$sim"
  for command in "read" "live --count 40"; do
    started=$SECONDS
    out="$dir/cli-${command%% *}.txt"
    code=0
    # shellcheck disable=SC2086 # the command's words
    timeout 120 "${run[@]}" "$cli" $command --port COM1 >"$out" 2>&1 || code=$?
    echo "windows-app: dravinor-cli $command over COM1: exit $code in $((SECONDS - started)) s," \
         "$(wc -l <"$out") lines ($out)"
    [ $code -eq 0 ] || status=$code
  done
  sim_off_com1
  rm -rf "$DRAVINOR_STATE_DIR"
  unset DRAVINOR_STATE_DIR
else
  echo "windows-app: no $sim (the Linux build's simulator): the CLI over COM1 is skipped"
fi

# The window's demo on the Xvfb display.
if [ -n "$xvfb_pid" ]; then
  # No DLL folders given: what it needs must lie beside it.
  bash scripts/wine-run.sh "$dir/Dravinor/dravinor.exe" --demo >"$dir/demo.out" 2>&1 &
  demo_pid=$!
  title=""
  started=$SECONDS
  # The title names the controller's version once the start-up scan has found it.
  found="wersja sterownika"
  while [ $((SECONDS - started)) -lt 90 ]; do
    title=$(DISPLAY=$display xdotool search --name "Dravinor Zuv Telvar" getwindowname 2>/dev/null | head -n 1 || true)
    [[ $title == *"$found"* ]] && break
    sleep 1
  done
  sleep 2
  DISPLAY=$display import -window root "$dir/dravinor-demo.png" 2>/dev/null || true
  echo "windows-app: dravinor.exe --demo under wine on $display after $((SECONDS - started)) s: '$title'" \
       "(screenshot $dir/dravinor-demo.png)"
  [[ $title == "Dravinor Zuv Telvar ver "*"$found"* ]] || status=1
  kill "$demo_pid" 2>/dev/null || true
  wait "$demo_pid" 2>/dev/null || true
else
  echo "windows-app: Xvfb or xdotool missing, or $display taken: the window's demo is skipped"
fi
exit $status
