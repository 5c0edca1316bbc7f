#!/usr/bin/env bash
# Builds everything and runs every test. Further arguments go to CMake
# (CI passes -DDRAVINOR_WERROR=ON).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build "$@"
ctest --test-dir build --output-on-failure --timeout 120 -j "$(nproc)"
