#!/usr/bin/env bash
# The three programs answer --version alike, with the project's version.
set -euo pipefail
version=$(sed -n 's/^project(Tarnex VERSION \([0-9.]*\).*/\1/p' "$TARNEX_SOURCE_DIR/CMakeLists.txt")
[ -n "$version" ] || { echo "FAIL: no project VERSION in CMakeLists.txt" >&2; exit 1; }
for program in src/platform/linux/tarnex tools/sim/tarnex-sim tools/layout/tarnex-layout; do
  answer=$(env -u DISPLAY "$TARNEX_BUILD_DIR/$program" --version) || { echo "FAIL: $program --version failed" >&2; exit 1; }
  [ "$answer" = "Tarnex Version $version" ] || { echo "FAIL: $program --version says \"$answer\"" >&2; exit 1; }
done
