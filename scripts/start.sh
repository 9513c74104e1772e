#!/usr/bin/env bash
# Builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh build run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DMQ_TESTS=OFF >/dev/null
cmake --build build --target mq
exec ./build/mq
