#!/usr/bin/env bash
# Sets up and builds the project, then runs the main job on a fresh application
# folder: a new book is created from the sample book (book files, no server) and
# the book list is shown with the new book in it.
#   scripts/run-main.sh [APP_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" "$root/build-release" -DCMAKE_BUILD_TYPE=Release -DKX_BUILD_TESTS=OFF
app=${1:-$(mktemp -d "${TMPDIR:-/tmp}/kxLedgerWiz-app.XXXXXX")}
echo "Application folder: $app" >&2
ledgerwiz="$root/build-release/app/ledgerwiz"
# The README shows these two commands as they stand.
"$ledgerwiz" create --app "$app" --template 0 --operator 主管 --password 8888 \
  --name "$(date +%Y)年新账簿" --company 上海某某贸易有限公司 --director 王建国 --month "$(date +%Y-%m)"
exec "$ledgerwiz" books --app "$app" books.txt
