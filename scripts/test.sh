#!/usr/bin/env bash
# Builds everything, then runs every test: unit, fuzz, media and end-to-end under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
scripts/build.sh
ctest --test-dir build --output-on-failure -j2 "$@"
echo "Build and tests took $(( $(date +%s) - start )) s."
