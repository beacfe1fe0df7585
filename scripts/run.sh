#!/usr/bin/env bash
# Builds everything and runs the toy under Wine: on your display when $DISPLAY is set, otherwise on
# a virtual display where it is played with for a moment and screenshots are saved.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh  # Wine, a virtual display, fonts and locales besides the build's tools
scripts/build.sh
export MIMI_E2E_BUILD_DIR="$PWD/build" MIMI_DIST_DIR="$PWD/dist"
if [ -n "${DISPLAY:-}" ]; then
  exec python3 tests/e2e/harness/run.py --dist dist
fi
mkdir -p screenshots
python3 tests/e2e/harness/demo.py --dist dist --screenshots screenshots
echo "Screenshots of the toy are in $PWD/screenshots"
