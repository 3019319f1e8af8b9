#!/usr/bin/env bash
# Installs the Debian packages the project needs (only those missing), then
# configures and builds one build folder.
#   scripts/setup.sh BUILD_DIR [cmake options...] [-- targets...]
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-tools-dev libgl-dev
  libsqlcipher-dev sqlcipher
  libpq-dev postgresql-15
  libarchive-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk xvfb
  dpkg-dev file desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}" >&2
  sudo_cmd=()
  if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: setup.sh BUILD_DIR [cmake options...] [-- targets...]}
shift
options=()
while (($#)) && [[ $1 != -- ]]; do options+=("$1"); shift; done
targets=()
if (($#)); then shift; for t in "$@"; do targets+=(--target "$t"); done; fi
cmake -S "$root" -B "$build" -G Ninja "${options[@]}"
cmake --build "$build" -j "$(nproc)" "${targets[@]}"
