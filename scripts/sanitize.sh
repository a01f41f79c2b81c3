#!/usr/bin/env bash
# Builds the tests and the benchmarks with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-sanitize/ (or $LUMORIND_SANITIZE_BUILD_DIR)
# and runs the whole suite that way, on SQLite and on a throwaway PostgreSQL
# server as ./test.sh does; each benchmark runs once, briefly (tests bench.*).
# Any report of either sanitizer fails the test case it happens in.
#   scripts/sanitize.sh [ctest arguments, e.g. -R clients]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
build="${LUMORIND_SANITIZE_BUILD_DIR:-$root/build-sanitize}"
# -O1 with line tables: reports keep their lines and the build is quicker than -O2 -g.
LUMORIND_BUILD_DIR="$build" "$root/scripts/build.sh" -DLUMORIND_SANITIZE=ON -DLUMORIND_TESTS=ON -DLUMORIND_BENCHMARKS=ON -DLUMORIND_WERROR=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG"
export QT_QPA_PLATFORM=offscreen
# Leaks count; the libraries' own caches kept until exit (fontconfig, Qt's
# plugins) are listed in scripts/lsan.supp. The undefined-behaviour checks stop
# the program at the first report, so the case fails.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"

if [ -z "${LUMORIND_TEST_PG:-}" ]; then
  source "$root/scripts/test-postgres.sh"
  if ! start_test_postgres; then
    if [ "${CI:-}" = true ]; then echo "CI needs the PostgreSQL test server." >&2; exit 1; fi
    echo "Continuing without PostgreSQL: its database tests are skipped." >&2
  fi
fi

cd "$build"
ctest --output-on-failure --parallel "$(nproc)" --timeout 900 "$@"
