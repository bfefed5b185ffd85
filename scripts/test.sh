#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
#   --sanitize   build into build-asan/ with AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake_args=()
build=${BUILD_DIR:-$root/build}
if [[ "${1:-}" == "--sanitize" ]]; then
    cmake_args+=(-DGLOBULE_SANITIZE=ON)
    build=${BUILD_DIR:-$root/build-asan}
fi
"$root/scripts/setup.sh"
BUILD_DIR=$build "$root/scripts/build.sh" "${cmake_args[@]}"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
