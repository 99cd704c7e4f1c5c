#!/usr/bin/env bash
# Installs the Debian packages a job needs, when missing.
# Usage: scripts/install-deps.sh       everything: both builds, the tests and
#                                      the packages
#        scripts/install-deps.sh run   only what building and running the
#                                      Linux program needs (scripts/run.sh)
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtk-3-dev libcairo2-dev fonts-liberation
)
if [ "${1:-}" != run ]; then
  packages+=(
    googletest
    g++-mingw-w64-x86-64-posix wine wine64
    xvfb xauth xdotool x11-apps imagemagick
    clang libclang-rt-14-dev
    help2man dpkg-dev lintian man-db unzip
  )
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
