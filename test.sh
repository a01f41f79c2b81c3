#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs every test
# headless; the database tests run on SQLite and on a throwaway PostgreSQL server,
# the print-queue tests on a throwaway CUPS scheduler.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/install-deps.sh"
build="${LUMORIND_BUILD_DIR:-$root/build}"
LUMORIND_BUILD_DIR="$build" "$root/scripts/build.sh" -DLUMORIND_WERROR=ON -DLUMORIND_TESTS=ON
export QT_QPA_PLATFORM=offscreen

# A server named in the environment is used as it is.
if [ -z "${LUMORIND_TEST_PG:-}" ]; then
  source "$root/scripts/test-postgres.sh"
  if ! start_test_postgres; then
    if [ "${CI:-}" = true ]; then echo "CI needs the PostgreSQL test server." >&2; exit 1; fi
    echo "Continuing without PostgreSQL: its database tests are skipped." >&2
  fi
fi

# The live print-queue tests need a CUPS scheduler of their own; without
# cupsd (or where it cannot start) they are skipped, in CI too.
if [ -z "${LUMORIND_TEST_CUPS:-}" ]; then
  source "$root/scripts/test-cups.sh"
  start_test_cups || echo "Continuing without the test CUPS scheduler: the live print-queue tests are skipped." >&2
fi

cd "$build"
ctest --output-on-failure --parallel "$(nproc)" --timeout 300
