#!/usr/bin/env bash
# Start-up to a filled window, set against a bare Qt window: build/bench/dravinor_startup_bench
# and build/bench/dravinor_bare_window_bench run in turn, one process each, N rounds on the
# same display, without a controller (the only port is missing, so the scan fails at once) and
# with the demo controller, on the offscreen platform and on xcb under Xvfb. Prints the
# medians of each stage and the ratio of ours to the bare window's, which holds on any machine.
#   bench/startup.sh [build] [rounds]
# Goal: filled within 1.3 x the bare window; with the demo, within its read-all + 1.3 x.
set -euo pipefail
export LC_ALL=C  # a '.' in $EPOCHREALTIME
build=${1:-build}
rounds=${2:-9}
ours="$build/bench/dravinor_startup_bench"
bare="$build/bench/dravinor_bare_window_bench"
for program in "$ours" "$bare"; do
  [ -x "$program" ] || { echo "no $program: build first" >&2; exit 1; }
done

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

# One run of a program on a platform, its stamps appended to a file.
run() {
  local platform=$1 out=$2
  shift 2
  if [ "$platform" = xcb ]; then
    DISPLAY=$display QT_QPA_PLATFORM=xcb DRAVINOR_T0=$EPOCHREALTIME "$@" 2>/dev/null >>"$out" || true
  else
    QT_QPA_PLATFORM=offscreen DRAVINOR_T0=$EPOCHREALTIME "$@" 2>/dev/null >>"$out" || true
  fi
}

# One case: platform, label, then the bench's arguments; environment in the caller's.
# The two programs alternate, so that a busy moment of the machine falls on both.
measure() {
  local platform=$1 label=$2
  shift 2
  local mine theirs
  mine=$(mktemp)
  theirs=$(mktemp)
  for _ in $(seq "$rounds"); do
    run "$platform" "$theirs" "$bare"
    run "$platform" "$mine" "$ours" "$@"
  done
  local main app window startup filled readall connected bareFilled bareMain bareApp
  main=$(field main <"$mine" | median)
  app=$(field app <"$mine" | median)
  window=$(field window <"$mine" | median)
  startup=$(field startup <"$mine" | median)
  filled=$(field filled <"$mine" | median)
  readall=$(field readall <"$mine" | median)
  connected=$(field connected <"$mine" | sort -u | paste -sd,)
  bareMain=$(field main <"$theirs" | median)
  bareApp=$(field app <"$theirs" | median)
  bareFilled=$(field filled <"$theirs" | median)
  printf '%-9s %-13s median of %d: filled %.0f ms (main %.0f, QApplication %.0f, window built %.0f, startUp returned %.0f); bare window %.0f ms (main %.0f, QApplication %.0f)' \
    "$platform" "$label" "$rounds" "$filled" "$main" "$app" "$window" "$startup" "$bareFilled" "$bareMain" "$bareApp"
  if [ "$label" = demo ]; then
    awk -v f="$filled" -v r="$readall" -v b="$bareFilled" -v c="$connected" 'BEGIN {
      printf "; read-all %.0f ms (connected %s); (filled - read-all) / bare %.2f (goal <= 1.3)\n", r, c, (f - r) / b }'
  else
    awk -v f="$filled" -v b="$bareFilled" 'BEGIN { printf "; ratio %.2f (goal <= 1.3)\n", f / b }'
  fi
  rm -f "$mine" "$theirs"
}

for platform in offscreen xcb; do
  if [ "$platform" = xcb ] && [ -z "$display" ]; then
    echo "xcb: no Xvfb, skipped"
    continue
  fi
  DRAVINOR_PORTS="COM1=/dev/dravinor-none" measure "$platform" "no controller"
  measure "$platform" demo --demo
done
