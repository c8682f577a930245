#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite through ctest.
# BUILD_DIR and BRIVELLO_CMAKE_ARGS choose another build (CI uses both).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} ${BRIVELLO_CMAKE_ARGS:-}
cmake --build "$build_dir"
ctest --test-dir "$build_dir" --output-on-failure -j2
