#!/usr/bin/env bash
# Builds the benchmarks in release mode and runs one of them.
#   scripts/run-bench.sh NAME [benchmark options...]     (NAME: catalogue)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
name=${1:?usage: run-bench.sh NAME [options]}
shift
"$root/scripts/setup.sh" "$root/build-bench" -DCMAKE_BUILD_TYPE=Release -DKX_BUILD_TESTS=OFF -DKX_BUILD_BENCH=ON
exec "$root/build-bench/bench/bench_$name" "$@"
