#!/bin/sh
# Builds the profile reader's fuzz target with clang in its own directory and runs it for a
# bounded time. Usage: tests/fuzz/run.sh [seconds] [build dir]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
seconds=${1:-60}
build=${2:-${TMPDIR:-/tmp}/mq-fuzz-build}

cmake -S "$source_dir" -B "$build" -G Ninja \
    -DCMAKE_CXX_COMPILER=clang++ -DMQ_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target fuzz_profile_reader -j2

# The corpus starts from the sample file and grows in the build directory.
corpus=$build/fuzz-corpus
mkdir -p "$corpus"
cp "$here/../data/sample_NAME.txt" "$corpus/"
cd "$build"
./tests/fuzz/fuzz_profile_reader -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$corpus"
