#!/usr/bin/env bash
# Polls per second of `dravinor-cli live` against dravinor-sim over a pty.
set -euo pipefail
build=${1:-build}
count=${2:-200}
link=$(mktemp -u /tmp/dravinor-bench.XXXXXX)
"$build/sim/dravinor-sim" --link "$link" >/dev/null &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
/usr/bin/time -f "dravinor-cli CPU: user %U s, system %S s, wall %e s" \
  "$build/cli/dravinor-cli" --port "COM1=$link" live --count "$count" --csv >/dev/null
