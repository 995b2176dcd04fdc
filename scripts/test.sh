#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

# The whole suite twice: under AddressSanitizer and UndefinedBehaviorSanitizer,
# then in the normal build.
bash scripts/build.sh asan
ctest --preset asan
bash scripts/build.sh default
ctest --preset default
