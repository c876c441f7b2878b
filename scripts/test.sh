#!/usr/bin/env bash
# Builds everything and runs every test. Pass a build folder and extra CMake
# options to test another configuration, for example:
#   scripts/test.sh build-asan -DPIXLERS_SANITIZE=ON -DPIXLERS_BENCHMARKS=OFF
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build=${1:-build}
shift || true
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPIXLERS_WERROR=ON "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
