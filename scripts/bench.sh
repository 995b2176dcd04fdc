#!/usr/bin/env bash
# Builds and runs the benchmarks and the tracing accuracy report.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh default
build/bin/curvix_bench "$@" 2> >(grep -v -E '^QStandardPaths|propagateSizeHints' >&2)
