#!/usr/bin/env bash
# Builds the Debian package curvix_<version>_amd64.deb into build/ and prints its path.
# Install it with: apt-get install ./build/curvix_<version>_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh default
(cd build && cpack -G DEB >/dev/null)
ls -1 "$PWD"/build/curvix_*_amd64.deb
