#!/usr/bin/env bash
# Builds everything and runs every test, the minute-long ones in real time too.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build
DRAVINOR_SLOW_TESTS=1 ctest --test-dir build --output-on-failure --timeout 120 -j "$(nproc)"
