#!/usr/bin/env bash
# The window's pages as pictures under Xvfb and openbox at 800 x 600
# (dravinor_window_pictures), and their comparison with an earlier set:
#   bench/window_pictures.sh BUILD FOLDER [EARLIER_FOLDER]
# With an earlier folder, prints each picture's count of differing pixels
# (ImageMagick's compare -metric AE) and fails unless every count is 0.
set -euo pipefail
build=$1
folder=$2
earlier=${3:-}
program="$build/bench/dravinor_window_pictures"
[ -x "$program" ] || { echo "no $program: build first" >&2; exit 1; }
mkdir -p "$folder"

pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; }
trap cleanup EXIT
display=""
for n in $(seq "${DISPLAY_FIRST:-81}" "${DISPLAY_LAST:-89}"); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
  display=":$n"
  break
done
[ -n "$display" ] || { echo "no free display" >&2; exit 1; }
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
DISPLAY=$display openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1

DISPLAY=$display QT_QPA_PLATFORM=xcb DRAVINOR_PORTS="COM1=/dev/dravinor-none" "$program" "$folder"

[ -n "$earlier" ] || exit 0
status=0
for picture in "$folder"/*.png; do
  name=$(basename "$picture")
  differing=$(compare -metric AE "$earlier/$name" "$picture" null: 2>&1 || true)
  echo "$name: $differing pixels differ"
  [ "$differing" = 0 ] || status=1
done
exit $status
