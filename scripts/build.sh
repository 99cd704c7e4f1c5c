#!/usr/bin/env bash
# Installs what is missing and builds the Linux programs in build/linux and,
# unless only linux is asked for, the Windows programs (cross-built) in
# build/windows.
# Usage: scripts/build.sh [linux]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/install-deps.sh

cmake --preset linux >/dev/null
cmake --build --preset linux
[ "${1:-}" = linux ] && exit 0
cmake --preset windows -DTARNEX_HOST_TOOLS_DIR="$root/build/linux/tools/layout" >/dev/null
cmake --build --preset windows
