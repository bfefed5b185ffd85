#!/usr/bin/env bash
# Runs the random-play soak of a build: EVENTS events from each SEED in turn ("clock" takes the
# clock's, which the soak prints), stopping at the first failure.
#   soak.sh [BUILD_DIR [EVENTS [SEED...]]]     defaults: build/, 20000, 14
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
events=${2:-20000}
seeds=("${@:3}")
((${#seeds[@]})) || seeds=(14)
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
for seed in "${seeds[@]}"; do
    "$build/tests/soak/globule_soak" --seed "$seed" --events "$events"
done
