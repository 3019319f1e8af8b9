#!/usr/bin/env bash
# Sets up and builds the project with AddressSanitizer and UndefinedBehaviorSanitizer,
# starts a throwaway PostgreSQL server, runs the whole test suite with ctest, and
# stops and removes the server whatever happens. A run of the whole suite (no
# ctest options) then checks the installed tree, the example host built against
# it and the Debian package (scripts/check-install.sh, on the release build of
# scripts/run-main.sh); KX_CHECK_INSTALL=0 leaves that out.
#   scripts/run-tests.sh [ctest options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-test"
"$root/scripts/setup.sh" "$build" -DCMAKE_BUILD_TYPE=Debug -DKX_SANITIZE=ON -DKX_BUILD_TESTS=ON

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

pgdir=$(mktemp -d "${TMPDIR:-/tmp}/kxLedgerWiz-pg.XXXXXX")
"$root/scripts/pg-test-server.sh" run "$pgdir" -- \
  ctest --test-dir "$build" --output-on-failure --no-tests=error -j "$(nproc)" "$@"

if ((!$#)) && [[ ${KX_CHECK_INSTALL:-1} != 0 ]]; then
  "$root/scripts/check-install.sh"
fi
