#!/usr/bin/env bash
# Installs what is missing and builds.
# Usage: scripts/build.sh          the Linux programs in build/linux and the
#                                  Windows programs (cross-built) in
#                                  build/windows, each with its tests and
#                                  packaged files: what the tests and the
#                                  packages need
#        scripts/build.sh run      only tarnex and tarnex-sim in build/linux,
#                                  without tests or packaged files: what
#                                  scripts/run.sh needs
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

if [ "${1:-}" = run ]; then
  scripts/install-deps.sh run
  cmake --preset linux -DTARNEX_BUILD_TESTS=OFF -DTARNEX_PACKAGING=OFF >/dev/null
  cmake --build --preset linux --target tarnex tarnex-sim
  exit 0
fi

scripts/install-deps.sh
cmake --preset linux -DTARNEX_BUILD_TESTS=ON -DTARNEX_PACKAGING=ON >/dev/null
cmake --build --preset linux
cmake --preset windows -DTARNEX_BUILD_TESTS=ON -DTARNEX_PACKAGING=ON \
  -DTARNEX_HOST_TOOLS_DIR="$root/build/linux/tools/layout" >/dev/null
cmake --build --preset windows
