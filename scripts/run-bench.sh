#!/usr/bin/env bash
# Builds the benchmarks in release mode and runs one of them; benchmarks that
# need the database server get a throwaway one for the run.
#   scripts/run-bench.sh NAME [benchmark options...]     (NAME: catalogue, conversion, creation)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
name=${1:?usage: run-bench.sh NAME [options]}
shift
"$root/scripts/setup.sh" "$root/build-bench" -DCMAKE_BUILD_TYPE=Release -DKX_BUILD_TESTS=OFF -DKX_BUILD_BENCH=ON \
  -- "bench_$name"
program="$root/build-bench/bench/bench_$name"
case $name in
catalogue) exec "$program" "$@" ;;
*)
  pgdir=$(mktemp -d "${TMPDIR:-/tmp}/kxLedgerWiz-pgbench.XXXXXX")
  exec "$root/scripts/pg-test-server.sh" run "$pgdir" -- "$program" "$@"
  ;;
esac
