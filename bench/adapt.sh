#!/usr/bin/env bash
# A whole auto-adaptation: dravinor-cli adapt --yes against dravinor-sim and
# its virtual fitter. Prints the wall time from the end of step 1 (the TPS
# prompt) to "Zakończono autoadaptację" against the floor the wizard's sample
# rules set (963 ticks of 50 ms), and the CLI's CPU time.
set -euo pipefail
build=${1:-build}
link=$(mktemp -u /tmp/dravinor-bench.XXXXXX)
out=$(mktemp /tmp/dravinor-adapt.XXXXXX)
"$build/sim/dravinor-sim" --fitter --link "$link" 2>"$out.fitter" >/dev/null &
sim=$!
trap 'kill $sim 2>/dev/null || true; rm -f "$out" "$out.fitter"' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done

/usr/bin/time -f "cpu %U %S" -o "$out.time" \
  "$build/cli/dravinor-cli" --port "COM1=$link" adapt --ignition 2 --probe 0 --yes |
  while IFS= read -r line; do printf '%s %s\n' "$(date +%s.%N)" "$line"; done >"$out"

start=$(grep -m1 'Proszę ustawic obroty biegu jalowego' "$out" | cut -d' ' -f1)
end=$(grep -m1 'Zakończono autoadaptację' "$out" | cut -d' ' -f1)
read -r _ user system <"$out.time"
awk -v s="$start" -v e="$end" -v u="$user" -v y="$system" 'BEGIN {
  wall = e - s; floor = 963 * 0.05
  printf "adaptation after step 1: %.1f s wall, floor %.1f s -> %.2fx\n", wall, floor, wall / floor
  printf "dravinor-cli CPU for the whole run: %.2f s (%.1f %% of one core)\n", u + y, 100 * (u + y) / wall
}'
rm -f "$out.time"
