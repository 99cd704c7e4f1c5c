#!/usr/bin/env bash
# Builds both targets and runs every test: the Linux program natively, the
# Windows program under Wine, the packages as a user installs them, the
# fuzzers for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/build.sh

export WINEPREFIX="$root/build/wine-prefix"
export WINEDEBUG=-all
scripts/wine-prefix.sh

status=0
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  status=0
  ctest --preset linux -j2 || status=1
  ctest --preset windows || status=1
  exit $status' || status=1

# The packages, built from the same builds and checked as a user meets them.
{ scripts/package.sh >/dev/null && scripts/check-packages.sh; } || status=1

if [ -x scripts/fuzz.sh ]; then
  scripts/fuzz.sh 20 || status=1
fi
exit $status
