#!/usr/bin/env bash
# Builds and runs the benchmarks and the tracing accuracy report.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh default
# A desktop-sized offscreen screen, where the main window fits as on a desktop.
QT_QPA_PLATFORM="offscreen:configfile=$PWD/tests/offscreen_screen.json" build/bin/curvix_bench "$@" 2> >(grep -v -E '^QStandardPaths|propagateSizeHints' >&2)

# Start-up as a user meets it: from starting the program to its window mapped
# on a real X server, beside an empty Qt window of the same size (median, min,
# max of 15 runs, in ms).
if command -v Xvfb >/dev/null && [ -x build/bin/map_time ]; then
  work=$(mktemp -d)
  source scripts/xvfb.sh
  start_xvfb "$work"
  empty=$(build/bin/map_time 15 build/bin/empty_window 2>/dev/null)
  program=$(cd examples && ../build/bin/map_time 15 ../build/bin/curvix 2>/dev/null)
  kill "$xvfb"
  rm -rf "$work"
  awk -v e="$empty" -v p="$program" 'BEGIN {
    split(e, a, " "); split(p, b, " ");
    printf "start-up to the window mapped: curvix %s ms (%s-%s), empty window %s ms (%s-%s), ratio %.2f\n",
      b[1], b[2], b[3], a[1], a[2], a[3], b[1] / a[1] }' >&2
fi
