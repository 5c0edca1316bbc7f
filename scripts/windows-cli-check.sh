#!/usr/bin/env bash
# Runs the Windows dravinor-cli.exe of the build in $1 (default build-win-app)
# under wine against the Linux dravinor-sim --fitter (DRAVINOR_SIM, default
# build/sim/dravinor-sim) on wine's COM1:
#   read -o                 all 35 parameters, saved as a set
#   write --yes             that set with the lambda threshold (address 1)
#                           one step up, then diff against the controller,
#                           which must hold it
#   live --count 40         40 polls
#   --help                  names Windows' places (the journal and the car
#                           book in %LOCALAPPDATA%), no Linux device or folder
#   adapt --yes             the auto-adaptation, the simulator's fitter
#                           following it (about a minute), then recorded in
#                           the current car's visit
#   live --reconnect        polls while the simulator's adapter is unplugged
#                           and plugged in again: the controller must be
#                           found again on COM1 and the polls go on
#   car REG --add --current the car book in a folder of its own: a car made
#                           current before the read, whose visit then holds
#                           the set read and the set written; cars --export
#                           to a file with a Polish name (the command line
#                           is taken as UTF-8, not in the ANSI code page)
# Each command's output goes to $1/cli-COMMAND.txt. WINEPREFIX must be set
# and its wineserver is restarted. Exits with the first failing command's
# status after running them all; skips where the simulator is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-win-app}
sim=${DRAVINOR_SIM:-build/sim/dravinor-sim}
# shellcheck source=scripts/wine-com1.sh
source scripts/wine-com1.sh

if [ ! -x "$sim" ]; then
  echo "windows-cli-check: no $sim (the Linux build's simulator): the CLI over COM1 is skipped"
  exit 0
fi
qt=$(bash scripts/build-qt-windows.sh | tail -n 1)
mapfile -t runtime < <(mingw_runtime_dll_dirs)
cli_exe=(bash scripts/wine-run.sh --dll-dir "$qt/bin" "${runtime[@]}" "$dir/cli/dravinor-cli.exe")

export DRAVINOR_STATE_DIR DRAVINOR_DATA_DIR
DRAVINOR_STATE_DIR=$(mktemp -d)
DRAVINOR_DATA_DIR=$(mktemp -d)
sim_on_com1 "$sim" --fitter
trap 'sim_off_com1; rm -rf "$DRAVINOR_STATE_DIR" "$DRAVINOR_DATA_DIR"' EXIT

status=0
# cli NAME COMMAND...: the CLI on COM1, its output in $dir/cli-NAME.txt.
cli() {
  local name=$1 started=$SECONDS code=0
  shift
  local out="$dir/cli-$name.txt"
  timeout 300 "${cli_exe[@]}" --port COM1 "$@" </dev/null >"$out" 2>&1 || code=$?
  echo "windows-cli-check: dravinor-cli $* over COM1: exit $code in $((SECONDS - started)) s," \
       "$(wc -l <"$out") lines ($out)"
  [ $code -eq 0 ] || [ $status -ne 0 ] || status=$code
  return 0
}

rm -f "$dir"/cli-*.par "$dir"/cli-*.BAK "$dir"/cli-*.json
cli car-add car "WX 1234A" --add --make-model "Opel Astra G" --current
cli read read -o "$dir/cli-read.par"
if [ -f "$dir/cli-read.par" ]; then
  cp "$dir/cli-read.par" "$dir/cli-write.par"
  threshold=$(od -An -tu1 -j1 -N1 "$dir/cli-read.par" | tr -d ' ')
  printf '%b' "\\$(printf '%03o' $(((threshold + 1) % 256)))" | dd of="$dir/cli-write.par" bs=1 seek=1 conv=notrunc 2>/dev/null
  cli write write --yes "$dir/cli-write.par"
  cli write-diff diff "$dir/cli-write.par" controller
fi
cli car-visits car "WX 1234A"
cli car-export cars --export "$dir/cli-książka.json"
# One visit, with the set read and the set written (the end set); the
# export is whole JSON under its Polish name.
if ! grep -q '^ *1 ' "$dir/cli-car-visits.txt" || [ "$(grep -c '^ *[0-9]' "$dir/cli-car-visits.txt")" -ne 1 ] ||
   [ "$(head -c 1 "$dir/cli-książka.json" 2>/dev/null)" != "{" ] ||
   [ "$(tail -c 2 "$dir/cli-książka.json" | head -c 1)" != "}" ]; then
  echo "windows-cli-check: the car book did not record the visit or export it ($dir/cli-car-visits.txt)"
  [ $status -ne 0 ] || status=1
fi
cli live live --count 40
# The help names Windows' places, not a Linux system's.
cli help --help
if grep -q '/dev/\|XDG_' "$dir/cli-help.txt" || ! grep -qF '%LOCALAPPDATA%\Dravinor\journal.log' "$dir/cli-help.txt" ||
   ! grep -qF '%LOCALAPPDATA%\Dravinor\workshop.sqlite' "$dir/cli-help.txt"; then
  echo "windows-cli-check: the help names Linux places or not the Windows journal and car book ($dir/cli-help.txt)"
  [ $status -ne 0 ] || status=1
fi
cli adapt adapt --ignition 2 --probe 0 --yes
# The adaptation went into the current car's visit of today, with what it measured.
cli car-adapted car "WX 1234A"
if ! grep -q '^ *1 .*adaptation' "$dir/cli-car-adapted.txt"; then
  echo "windows-cli-check: the adaptation is not in the car's visit ($dir/cli-car-adapted.txt)"
  [ $status -ne 0 ] || status=1
fi

# The adapter unplugged under live --reconnect, once the polls run, and
# plugged in again 3 s later: Windows tells a console program of no port
# coming back, so the CLI looks for it and tries it every 0.6 s.
sim_off_com1
sim_on_com1_link "$sim"
out="$dir/cli-live-reconnect.txt"
started=$SECONDS
timeout 120 "${cli_exe[@]}" --port COM1 live --reconnect --count 300 </dev/null >"$out" 2>&1 &
cli_pid=$!
for _ in $(seq 150); do grep -q '^lambda' "$out" 2>/dev/null && break; sleep 0.2; done
sleep 1
kill -USR1 "$sim_pid"
sleep 3
kill -USR1 "$sim_pid"
code=0
wait "$cli_pid" || code=$?
echo "windows-cli-check: dravinor-cli live --reconnect over COM1, the adapter unplugged and back: exit $code" \
     "in $((SECONDS - started)) s ($out)"
if [ $code -ne 0 ] || ! grep -q 'the controller is back on COM1' "$out"; then
  echo "windows-cli-check: live --reconnect did not find the controller again ($out)"
  [ $status -ne 0 ] || status=1
fi
exit $status
