#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs every test headless.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/install-deps.sh"
build="${LUMORIND_BUILD_DIR:-$root/build}"
LUMORIND_BUILD_DIR="$build" "$root/scripts/build.sh" -DLUMORIND_WERROR=ON -DLUMORIND_TESTS=ON
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure --parallel "$(nproc)" --timeout 300
