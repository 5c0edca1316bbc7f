#!/usr/bin/env bash
# Builds the tool and starts it: against the controller when one answers on a
# serial port, otherwise against the simulated controller (--demo).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build
cli=build/cli/dravinor-cli

demo=(--demo)
if "$cli" identify >/dev/null 2>&1; then
  demo=()
else
  echo "No controller answers on this machine's serial ports: starting with the simulated controller."
fi

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/app/dravinor "${demo[@]}"
fi

# No desktop to show a window on: the same session from the command line.
echo "No display: showing the controller through dravinor-cli instead."
port=()
if [ ${#demo[@]} -gt 0 ]; then
  link=$(mktemp -u /tmp/dravinor-sim.XXXXXX)
  build/sim/dravinor-sim --link "$link" >/dev/null &
  sim=$!
  trap 'kill $sim 2>/dev/null || true' EXIT
  for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
  port=(--port "COM1=$link")
fi
"$cli" "${port[@]}" identify
"$cli" "${port[@]}" read
"$cli" "${port[@]}" live --count 60
