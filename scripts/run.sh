#!/usr/bin/env bash
# Builds the tool and runs it: against the controller when one answers on a
# serial port, otherwise against the simulated controller.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build
cli=build/cli/dravinor-cli

if "$cli" identify 2>/dev/null; then
  "$cli" read
  "$cli" live --count 60
  exit 0
fi

echo "No controller answers on this machine's serial ports: using the simulated controller."
link=$(mktemp -u /tmp/dravinor-sim.XXXXXX)
build/sim/dravinor-sim --link "$link" >/dev/null &
sim=$!
trap 'kill $sim 2>/dev/null || true; rm -f "$link"' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
"$cli" --port "COM1=$link" identify
"$cli" --port "COM1=$link" read
"$cli" --port "COM1=$link" live --count 60
