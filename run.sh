#!/usr/bin/env bash
# Installs what is missing, builds, prepares the embedded database on first run, and starts the application.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" -DLUMORIND_TESTS=OFF
build="${LUMORIND_BUILD_DIR:-$root/build}"

# First run: the database and settings with demo data (the setup tool, when built).
if [ -x "$build/src/lumorind-setup" ]; then
  "$root/scripts/first-run.sh" "$build"
else
  echo "Note: the setup tool is not built yet; no database or settings are created."
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: starting under a virtual X server (xvfb-run)."
  exec xvfb-run -a "$build/src/lumorind"
fi
exec "$build/src/lumorind"
