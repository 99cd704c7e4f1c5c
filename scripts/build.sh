#!/usr/bin/env bash
# Installs what is missing and builds both targets: the Linux programs in
# build/linux, the Windows programs (cross-built) in build/windows.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/install-deps.sh

cmake --preset linux >/dev/null
cmake --build --preset linux
cmake --preset windows -DTARNEX_HOST_TOOLS_DIR="$root/build/linux/tools/layout" >/dev/null
cmake --build --preset windows
