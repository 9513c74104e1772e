#!/usr/bin/env bash
# Builds the program and its tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh build test
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMQ_TESTS=ON >/dev/null
cmake --build build-test -j2
cd build-test
ctest --output-on-failure --timeout 300 -j2
