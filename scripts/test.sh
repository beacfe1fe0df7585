#!/usr/bin/env bash
# Builds everything, then runs every test: unit, fuzz, media and end-to-end under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
scripts/setup-debian.sh  # the tests need Wine, a virtual display, fonts and locales besides the build's tools
scripts/build.sh
ctest --preset native "$@"
echo "Build and tests took $(( $(date +%s) - start )) s."
