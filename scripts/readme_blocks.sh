#!/usr/bin/env bash
# Runs the README's command blocks marked "<!-- readme-test: run -->", each
# in a temporary folder that holds the built programs (build/) and the sample
# charts (examples/) as the project root does, so that a promise the README
# makes and the program no longer keeps fails the suite.
# Usage: readme_blocks.sh README BUILD_DIR EXAMPLES_DIR
set -euo pipefail
readme=$1
build=$(realpath "$2")
examples=$(realpath "$3")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ln -s "$build" "$work/build"
ln -s "$examples" "$work/examples"

# Each marked block becomes one script: the lines between its fences.
awk -v dir="$work" '
  /<!-- readme-test: run -->/ { armed = 1; next }
  armed && /^```/ { if (inside) { inside = 0; armed = 0; close(file) } else { inside = 1; file = sprintf("%s/block%02d.sh", dir, ++n) } next }
  inside { print > file }
' "$readme"

passed=0
failed=0
for block in "$work"/block*.sh; do
  [ -e "$block" ] || continue
  echo "== $(basename "$block")"
  if (cd "$work" && bash -e "$block"); then
    passed=$((passed + 1))
  else
    echo "readme: $(basename "$block") failed:" >&2
    cat "$block" >&2
    failed=$((failed + 1))
  fi
done
if [ "$passed" -eq 0 ] && [ "$failed" -eq 0 ]; then
  echo "readme: no block is marked to run" >&2
  failed=1
fi
echo "readme: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
