#!/usr/bin/env bash
# Installs what is missing, builds, and runs Brivello on the sample disc.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${BRIVELLO_CMAKE_ARGS:-}
cmake --build "$build_dir"
exec "$build_dir/disc/brivello"
