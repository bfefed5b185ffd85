#!/usr/bin/env bash
# Builds the match-file fuzz target with clang and runs it for $1 seconds (default 60),
# seeded with valid match files.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=${BUILD_DIR:-$root/build-fuzz}
"$root/scripts/setup.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DGLOBULE_FUZZ=ON -DGLOBULE_WERROR=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"
corpus="$build/corpus"
mkdir -p "$corpus"
cp "$root"/tests/fuzz/seeds/* "$corpus"/
"$build/fuzz_match_file" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$corpus"
