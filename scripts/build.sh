#!/usr/bin/env bash
# Builds everything: the portable logic and its tests (with sanitizers), the media set, the
# Windows program and library (x86_64, and i686 to prove it builds), and the program folder dist/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIMITAP_SANITIZE=ON
cmake --build build -j"$(nproc)"
