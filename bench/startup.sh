#!/usr/bin/env bash
# Start-up to a filled window: median of N runs of build/bench/dravinor_startup_bench,
# without a controller (the only port is missing, so the scan fails at once) and
# with the demo controller, on the offscreen platform and on xcb under Xvfb.
#   bench/startup.sh [build] [runs]
set -euo pipefail
export LC_ALL=C  # a '.' in $EPOCHREALTIME
build=${1:-build}
runs=${2:-9}
bench="$build/bench/dravinor_startup_bench"
[ -x "$bench" ] || { echo "no $bench: build first" >&2; exit 1; }

xvfb=""
cleanup() { [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true; }
trap cleanup EXIT
display=""
if command -v Xvfb >/dev/null; then
  for n in $(seq 91 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    display=":$n"
    break
  done
fi

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
field() { tr ' ' '\n' | sed -n "s/^$1=//p"; }

# One case: platform, label, then the bench's arguments; environment in the caller's.
measure() {
  local platform=$1 label=$2
  shift 2
  local out
  out=$(mktemp)
  for _ in $(seq "$runs"); do
    if [ "$platform" = xcb ]; then
      DISPLAY=$display QT_QPA_PLATFORM=xcb DRAVINOR_T0=$EPOCHREALTIME "$bench" "$@" 2>/dev/null >>"$out"
    else
      QT_QPA_PLATFORM=offscreen DRAVINOR_T0=$EPOCHREALTIME "$bench" "$@" 2>/dev/null >>"$out"
    fi
  done
  local main app window startup filled readall connected
  main=$(field main <"$out" | median)
  app=$(field app <"$out" | median)
  window=$(field window <"$out" | median)
  startup=$(field startup <"$out" | median)
  filled=$(field filled <"$out" | median)
  readall=$(field readall <"$out" | median)
  connected=$(field connected <"$out" | sort -u | paste -sd,)
  printf '%-9s %-15s median of %d: filled %.0f ms (process to main %.0f, QApplication %.0f, window built %.0f, startUp returned %.0f)' \
    "$platform" "$label" "$runs" "$filled" "$main" "$app" "$window" "$startup"
  if [ "$label" = demo ]; then
    awk -v f="$filled" -v r="$readall" -v c="$connected" 'BEGIN {
      printf "; read-all %.0f ms, connected %s; goal read-all + 300 = %.0f ms, ratio %.2f (goal <= 1)\n", r, c, r + 300, f / (r + 300) }'
  else
    awk -v f="$filled" 'BEGIN { printf "; goal 300 ms, ratio %.2f (goal <= 1)\n", f / 300 }'
  fi
  rm -f "$out"
}

for platform in offscreen xcb; do
  if [ "$platform" = xcb ] && [ -z "$display" ]; then
    echo "xcb: no Xvfb, skipped"
    continue
  fi
  DRAVINOR_PORTS="COM1=/dev/dravinor-none" measure "$platform" "no controller"
  measure "$platform" demo --demo
done
