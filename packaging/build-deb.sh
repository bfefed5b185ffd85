#!/usr/bin/env bash
# Builds the Debian package globule_<version>_<arch>.deb in a fresh build folder: the game
# alone (no tests), with Debian's compiler flags and hardening and warnings as errors, laid out
# under /usr the way Debian lays out a game, stripped, its library dependencies worked out by
# dpkg-shlibdeps. Prints the package's path as its last line.
#   BUILD_DIR   the build folder, emptied first (default: build-deb/ at the project root)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-deb}
"$root/scripts/setup.sh" --deb

rm -rf "$build"
# dpkg-buildflags maps the current folder to "." in the debugging data: run it from the root.
cd "$root"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CXXFLAGS LDFLAGS
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=None -DBUILD_TESTING=OFF -DGLOBULE_WERROR=ON \
    -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games >/dev/null
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack -G DEB)

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb=$build/globule_${version}_$(dpkg --print-architecture).deb
if [[ ! -f $deb ]]; then
    echo "build-deb: cpack made no $deb" >&2
    exit 1
fi
echo "$deb"
