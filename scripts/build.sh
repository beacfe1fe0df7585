#!/usr/bin/env bash
# Builds everything: the portable logic and its tests (with sanitizers), the media set, the
# Windows program and library (x86_64 and i686), the program folder dist/, and the release packages
# in build/release/ (the installer and the portable zip).
# The packages are installed (Debian 12, as root) only when a tool or library the build needs is
# missing, so on a machine that has them all this runs without root, on any Linux.
set -euo pipefail
cd "$(dirname "$0")/.."

tools_present() {
  local tool
  for tool in cmake make g++ python3 x86_64-w64-mingw32-g++ i686-w64-mingw32-g++ x86_64-w64-mingw32-windres \
              i686-w64-mingw32-windres sox ffmpeg rsvg-convert convert makensis; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$tool is missing."; return 1; }
  done
}

# Configuring also finds the libraries (GoogleTest, Google Benchmark); a failure there installs too.
if ! tools_present || ! cmake --preset native; then
  echo "Installing the build's packages."
  scripts/setup-debian.sh
  cmake --preset native
fi
cmake --build --preset native -j"$(nproc)"
