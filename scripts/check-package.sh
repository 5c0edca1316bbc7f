#!/usr/bin/env bash
# Packages a tree that is already built (build/, or $1) with `cpack -G DEB`,
# without building it again, and holds the .deb against lintian: an error or
# a warning fails, informational and pedantic tags are shown.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
rm -f "$dir"/dravinor_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/dravinor_*.deb)
lintian --pedantic --display-info --fail-on error,warning "$deb"
echo "lintian --pedantic: no error or warning in $deb"
