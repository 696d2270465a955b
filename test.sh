#!/usr/bin/env bash
# Installs what is missing, builds with tests (and the benchmarks, so they keep compiling) and runs
# the whole suite through CTest.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DQZ_BUILD_TESTS=ON -DQZ_BUILD_BENCH=ON
cmake --build build
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "$@"
