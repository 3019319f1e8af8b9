#!/usr/bin/env bash
# Sets up and builds the project, then runs the main job on a fresh application
# folder: the book list is created with its sample record and listed.
#   scripts/run-main.sh [APP_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" "$root/build-release" -DCMAKE_BUILD_TYPE=Release -DKX_BUILD_TESTS=OFF
app=${1:-$(mktemp -d "${TMPDIR:-/tmp}/kxLedgerWiz-app.XXXXXX")}
echo "Application folder: $app" >&2
exec "$root/build-release/app/ledgerwiz" books --app "$app" books.txt
