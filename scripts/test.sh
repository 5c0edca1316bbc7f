#!/usr/bin/env bash
# Builds everything and runs every test. The minute-long ones in real time
# (label slow) run beside the rest, from a second ctest, so that the pty
# tests, which run alone, need not wait for them; and beside each other, as
# they wait on the line's pace, not on the processor. Further arguments go to
# CMake (CI passes -DDRAVINOR_WERROR=ON).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build "$@"
slow_log=build/slow-tests.log
DRAVINOR_SLOW_TESTS=1 ctest --test-dir build --output-on-failure -L slow -j 2 >"$slow_log" 2>&1 &
slow=$!
status=0
ctest --test-dir build --output-on-failure --timeout 120 -j "$(nproc)" -LE slow || status=$?
wait "$slow" || status=$?
cat "$slow_log"
exit "$status"
