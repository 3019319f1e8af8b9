#!/usr/bin/env bash
# Sets up and builds the project with AddressSanitizer and UndefinedBehaviorSanitizer,
# starts a throwaway PostgreSQL server, runs the whole test suite with ctest, and
# stops and removes the server whatever happens.
#   scripts/run-tests.sh [ctest options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-test"
"$root/scripts/setup.sh" "$build" -DCMAKE_BUILD_TYPE=Debug -DKX_SANITIZE=ON -DKX_BUILD_TESTS=ON

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

pgdir=$(mktemp -d "${TMPDIR:-/tmp}/kxLedgerWiz-pg.XXXXXX")
exec "$root/scripts/pg-test-server.sh" run "$pgdir" -- \
  ctest --test-dir "$build" --output-on-failure --no-tests=error -j "$(nproc)" "$@"
