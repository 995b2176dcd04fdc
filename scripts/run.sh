#!/usr/bin/env bash
# Builds the program and starts it in examples/, where the image list shows
# the sample charts.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
cd examples
exec ../build/bin/curvix
