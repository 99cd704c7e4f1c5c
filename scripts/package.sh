#!/usr/bin/env bash
# Builds both targets and packs them: build/packages/tarnex_VERSION_ARCH.deb
# from the Linux build and build/packages/tarnex-VERSION-windows-x64.zip from
# the Windows one.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/build.sh

mkdir -p build/packages
for target in linux windows; do
  (cd "build/$target" && cpack -B "$root/build/packages" >/dev/null)
done
rm -rf build/packages/_CPack_Packages
ls -1 build/packages/*.deb build/packages/*.zip
