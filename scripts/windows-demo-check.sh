#!/usr/bin/env bash
# Starts dravinor.exe --demo from the portable folder of the build in $1
# (default build-win-app), reached through a folder with a Polish name (as
# under C:\Users\Michał: its language files must be found there too), under
# wine on the X display DISPLAY (an Xvfb of the caller's, whose wineserver
# was started on it), waits until its title
# names the controller's version, and keeps a screenshot of the screen,
# $1/dravinor-demo.png. Exits 1 when the title never came.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-win-app}

ln -sfn Dravinor "$dir/Michał"
# No DLL folders given: what it needs must lie beside it.
bash scripts/wine-run.sh "$dir/Michał/dravinor.exe" --demo >"$dir/demo.out" 2>&1 &
demo_pid=$!
trap 'kill "$demo_pid" 2>/dev/null || true; wait "$demo_pid" 2>/dev/null || true' EXIT
title=""
started=$SECONDS
# The title names the controller's version once the start-up scan has found it.
found="wersja sterownika"
while [ $((SECONDS - started)) -lt 90 ]; do
  title=$(xdotool search --name "Dravinor Zuv Telvar" getwindowname 2>/dev/null | head -n 1 || true)
  [[ $title == *"$found"* ]] && break
  sleep 1
done
sleep 2
import -window root "$dir/dravinor-demo.png" 2>/dev/null || true
echo "windows-demo-check: dravinor.exe --demo under wine on $DISPLAY after $((SECONDS - started)) s: '$title'" \
     "(screenshot $dir/dravinor-demo.png)"
[[ $title == "Dravinor Zuv Telvar ver "*"$found"* ]]
