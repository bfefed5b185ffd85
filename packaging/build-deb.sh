#!/usr/bin/env bash
# Builds the Debian source and binary packages of the commit at HEAD, as a distribution
# builds them: the upstream tarball globule_<upstream>.orig.tar.xz made from the git tree
# without debian/, unpacked into a clean folder with debian/ beside it, and
# `dpkg-buildpackage -us -uc` run there (with no network where a network namespace can be had),
# which also runs the test suite unless --nocheck. Uncommitted changes are not in the package.
# Prints the .changes file's path as its last line; the build's log is build.log beside it.
#   --nocheck   neither build nor run the tests (DEB_BUILD_OPTIONS=nocheck, profile nocheck)
#   OUT         the folder for the results, emptied first (default: build-deb/ at the root)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
nocheck=0
if [[ ${1:-} == --nocheck ]]; then
    nocheck=1
    shift
fi
out=$(realpath -m "${1:-$root/build-deb}")
"$root/scripts/setup.sh" --deb
"$root/packaging/check-release.sh"
# No compiler cache: one shared between folders could hide a build that depends on its folder.
unset CMAKE_C_COMPILER_LAUNCHER CMAKE_CXX_COMPILER_LAUNCHER

version=$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)
upstream=${version%-*}
if [[ -n $(git -C "$root" status --porcelain --untracked-files=no) ]]; then
    echo "build-deb: the package is built from HEAD; uncommitted changes are left out" >&2
fi
rm -rf "$out"
mkdir -p "$out"
orig=$out/globule_$upstream.orig.tar.xz
source=$out/globule-$upstream
git -C "$root" archive --format=tar --prefix="globule-$upstream/" HEAD ':(exclude)debian' |
    xz -T1 -6 >"$orig"
tar -xf "$orig" -C "$out"
git -C "$root" archive --format=tar HEAD debian | tar -x -C "$source"

options=(-us -uc -J"$(nproc)")
if ((nocheck)); then
    export DEB_BUILD_OPTIONS="nocheck ${DEB_BUILD_OPTIONS:-}"
    options+=(-Pnocheck)
fi
isolate=()
if unshare --net true 2>/dev/null; then isolate=(unshare --net); fi
if ! (cd "$source" && "${isolate[@]}" dpkg-buildpackage "${options[@]}") >"$out/build.log" 2>&1; then
    tail -n 60 "$out/build.log" >&2
    echo "build-deb: dpkg-buildpackage failed; the whole log is $out/build.log" >&2
    exit 1
fi
if ((nocheck)); then
    echo "build-deb: built without the tests (nocheck)"
else
    # ctest's summary: how many tests ran in the build, and that all passed.
    grep -E '^[0-9]+% tests passed' "$out/build.log" | sed 's/^/build-deb: ctest: /'
fi
changes=$out/globule_${version}_$(dpkg --print-architecture).changes
[[ -f $changes ]] || {
    echo "build-deb: dpkg-buildpackage made no $changes" >&2
    exit 1
}
echo "$changes"
