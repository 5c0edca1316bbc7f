#!/usr/bin/env bash
# The live page of `dravinor --demo` for MINUTES under Xvfb (real painting):
# CPU of the whole process (the window and the simulated controller's thread,
# plus any child processes) from /proc/PID/stat, and RSS from
# /proc/PID/status, at the start and after every minute.
# Goals: CPU <= 5 % of one core over the run; RSS growth <= 1 MB after the
# warm-up minute.
#   bench/soak.sh [build] [minutes]
# SOAK_APP runs another build of the program; SOAK_DISPLAY=95 picks the X
# display for its Xvfb (else the first free one from 91); SOAK_SAMPLE_SECONDS
# changes the minute (for a quick try).
# The samples go to BUILD/soak.csv, screenshots of the page at the start and
# the end to BUILD/soak-start.png and BUILD/soak.png.
set -euo pipefail
build=${1:-build}
minutes=${2:-15}
sample=${SOAK_SAMPLE_SECONDS:-60}
app=${SOAK_APP:-$build/app/dravinor}
[ -x "$app" ] || { echo "no $app: build first" >&2; exit 1; }
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "soak: needs $tool" >&2; exit 1; }
done
hz=$(getconf CLK_TCK)

xvfb="" pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

free_display() {
  if [ -n "${SOAK_DISPLAY:-}" ]; then echo "${SOAK_DISPLAY#:}"; return; fi
  for n in $(seq 91 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { echo "$n"; return; }
  done
  echo "soak: no free X display" >&2
  exit 1
}
display=$(free_display)
Xvfb ":$display" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
# A display already taken makes this Xvfb give up; the program must not
# end up on someone else's screen.
sleep 0.5
kill -0 "$xvfb" 2>/dev/null || { echo "soak: Xvfb could not start on :$display" >&2; xvfb=""; exit 1; }
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb

# The process and everything it started.
tree() {
  echo "$1"
  local child
  for child in $(cat /proc/"$1"/task/*/children 2>/dev/null); do tree "$child"; done
}
# utime + stime of each, with cutime + cstime for children already reaped.
cpu_ticks() {
  local sum=0 p f
  for p in $(tree "$1"); do
    f=$(sed 's/^.*) //' /proc/"$p"/stat 2>/dev/null) || continue
    read -r -a f <<<"$f"
    sum=$((sum + f[11] + f[12] + f[13] + f[14]))
  done
  echo "$sum"
}
rss_kb() {
  local sum=0 p kb
  for p in $(tree "$1"); do
    kb=$(awk '/^VmRSS:/ {print $2}' /proc/"$p"/status 2>/dev/null) || continue
    sum=$((sum + ${kb:-0}))
  done
  echo "$sum"
}
now() { date +%s.%N; }

"$app" --demo >"$build/soak.log" 2>&1 &
pid=$!
# The start-up scan runs before the event loop; the title gets the
# controller's version when it has found it, and only then do keys work.
window=$(timeout 90 xdotool search --sync --all --onlyvisible --pid "$pid" --name 'wersja sterownika' | head -n 1) || true
[ -n "$window" ] || { echo "soak: no window with a found controller (see $build/soak.log)" >&2; exit 1; }
# Keys before the window has taken the focus are lost, and nothing outside
# shows the page: the live page is known by its polling, which costs well
# over the 0.4 % of a core that the idle window takes.
on_live_page=""
for attempt in 1 2 3 4 5; do
  sleep 2
  xdotool windowfocus --sync "$window" key F4
  before=$(cpu_ticks "$pid")
  sleep 5
  if [ $(( ($(cpu_ticks "$pid") - before) * 100 / hz )) -ge 5 ]; then on_live_page=yes; break; fi
done
[ -n "$on_live_page" ] || { echo "soak: F4 did not bring up the live page" >&2; exit 1; }
command -v import >/dev/null && import -window root "$build/soak-start.png" 2>/dev/null || true

echo "soak: $app --demo on the live page, display :$display, $minutes x ${sample}s, pid $pid"
echo "soak: load average at start $(cut -d' ' -f1-3 /proc/loadavg) (other work on the machine does not count: the CPU time is the process's own)"
echo "minute,seconds,cpu_percent,rss_kb" >"$build/soak.csv"
t0=$(now) c0=$(cpu_ticks "$pid") r0=$(rss_kb "$pid")
printf '%6s %9s %8s %10s\n' minute "cpu %" "rss kB" "since 1st"
printf '%6d %9s %8d %10s\n' 0 - "$r0" -
echo "0,0,,$r0" >>"$build/soak.csv"
tp=$t0 cp=$c0 warm_t="" warm_c="" warm_r=""
for minute in $(seq "$minutes"); do
  sleep "$sample"
  kill -0 "$pid" 2>/dev/null || { echo "soak: the program ended early (see $build/soak.log)" >&2; exit 1; }
  t=$(now) c=$(cpu_ticks "$pid") r=$(rss_kb "$pid")
  cpu=$(awk -v dc=$((c - cp)) -v dt="$(awk -v a="$t" -v b="$tp" 'BEGIN {print a - b}')" -v hz="$hz" \
    'BEGIN {printf "%.2f", dc / hz / dt * 100}')
  if [ -z "$warm_r" ]; then warm_t=$t warm_c=$c warm_r=$r; fi
  printf '%6d %9s %8d %+10d\n' "$minute" "$cpu" "$r" $((r - warm_r))
  echo "$minute,$(awk -v a="$t" -v b="$t0" 'BEGIN {printf "%.1f", a - b}'),$cpu,$r" >>"$build/soak.csv"
  tp=$t cp=$c
done
command -v import >/dev/null && import -window root "$build/soak.png" 2>/dev/null || true
echo "soak: load average at end $(cut -d' ' -f1-3 /proc/loadavg)"

awk -v c0="$c0" -v c1="$c" -v t0="$t0" -v t1="$t" -v cw="$warm_c" -v tw="$warm_t" -v hz="$hz" \
  -v r0="$r0" -v rw="$warm_r" -v r1="$r" -v minutes="$minutes" 'BEGIN {
  cpu = (c1 - c0) / hz / (t1 - t0) * 100
  printf "  soak_cpu: %.2f %% of a core over %d min, ratio %.3f to the 5.0 %% goal (goal <= 1)\n", cpu, minutes, cpu / 5
  if (t1 > tw) {
    warm = (c1 - cw) / hz / (t1 - tw) * 100
    printf "  soak_cpu_after_warmup: %.2f %% of a core, ratio %.3f to the 5.0 %% goal (goal <= 1)\n", warm, warm / 5
  }
  growth = r1 - rw
  printf "  soak_rss: %d kB at start, %d kB after the warm-up minute, %d kB at the end\n", r0, rw, r1
  printf "  soak_rss_growth: %+d kB after the warm-up minute, ratio %.3f to the 1024 kB goal (goal <= 1)\n", growth, growth / 1024
}'

# Quit as a session would: the program closes its port and ends by itself.
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
pid=""
echo "soak: the program ended with status $status"
