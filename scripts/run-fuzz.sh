#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang (installed when missing) and runs each
# for a bounded time on a copy of its seed corpus; findings are left in
# build-fuzz/findings/NAME/. Not part of the test suite.
#   scripts/run-fuzz.sh [SECONDS_PER_HARNESS] [harness...]   (default 60; book_list tsql jet_sql)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
harnesses=("$@")
((${#harnesses[@]})) || harnesses=(book_list tsql jet_sql)

if ! command -v clang++ >/dev/null; then
  sudo_cmd=()
  if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends clang
fi

build="$root/build-fuzz"
targets=()
for h in "${harnesses[@]}"; do targets+=("fuzz_$h"); done
CC=clang CXX=clang++ "$root/scripts/setup.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKX_BUILD_TESTS=OFF \
  -DKX_BUILD_FUZZ=ON -- "${targets[@]}"

status=0
for h in "${harnesses[@]}"; do
  corpus="$build/corpus/$h"
  findings="$build/findings/$h"
  mkdir -p "$corpus" "$findings"
  cp -n "$root/fuzz/corpus/$h/"* "$corpus/" 2>/dev/null || true
  echo "== fuzz_$h for ${seconds}s" >&2
  if ! "$build/fuzz/fuzz_$h" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
      -artifact_prefix="$findings/" "$corpus"; then
    echo "fuzz_$h found a fault: see $findings" >&2
    status=1
  fi
done
exit $status
