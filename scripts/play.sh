#!/usr/bin/env bash
# Installs what the game needs, builds the game alone (no tests, benchmark or soak) into
# build-play/ (or $BUILD_DIR), and starts it; an optional match file may follow. Its own folder
# leaves the test command's full build in build/ as it is.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-play}
"$root/scripts/setup.sh" --game
# A player's build: optimised, no debugging data, and a newer compiler's new warning does not
# stop it (the test command keeps warnings as errors).
BUILD_DIR=$build "$root/scripts/build.sh" -DCMAKE_BUILD_TYPE=Release -DGLOBULE_WERROR=OFF \
    -DBUILD_TESTING=OFF
exec "$build/globule" "$@"
