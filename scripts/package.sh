#!/usr/bin/env bash
# Builds the Debian package: a build in build-package/ (or $1) with the
# flags of the tested tree, -O2 as Debian builds (cpack strips it), then
# `cpack -G DEB` and lintian (scripts/check-package.sh). The .deb lands in
# that folder; install it with
#   sudo apt install ./build-package/dravinor_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
dir=${1:-build-package}
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
      -DDRAVINOR_BUILD_TESTS=OFF -DDRAVINOR_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
bash scripts/check-package.sh "$dir"
