#!/usr/bin/env bash
# The live page for a minute against the simulated controller, on xcb under Xvfb
# (real painting) and then on the offscreen platform.
#   bench/live_page.sh [build] [seconds]
set -euo pipefail
build=${1:-build}
seconds=${2:-60}
bench="$build/bench/dravinor_livepage_bench"
[ -x "$bench" ] || { echo "no $bench: build first" >&2; exit 1; }

xvfb=""
trap '[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true' EXIT
if command -v Xvfb >/dev/null; then
  for n in $(seq 91 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    DISPLAY=":$n" QT_QPA_PLATFORM=xcb "$bench" --seconds "$seconds" 2>/dev/null
    break
  done
else
  echo "xcb: no Xvfb, skipped"
fi
QT_QPA_PLATFORM=offscreen "$bench" --seconds "$seconds" 2>/dev/null
