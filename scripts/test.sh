#!/usr/bin/env bash
# Builds the program and its tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh build run test package
# MQ_WERROR=ON makes every compiler warning an error, as CI does.
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMQ_TESTS=ON \
    -DCMAKE_COMPILE_WARNING_AS_ERROR="${MQ_WERROR:-OFF}" >/dev/null
cmake --build build-test -j2
cd build-test
ctest --output-on-failure --timeout 300 -j2
