#!/usr/bin/env bash
# Checks the desktop integration: validates the desktop entry and the AppStream data, installs
# into a scratch prefix and checks that every file lands where desktops look for it.
#   BUILD_DIR   an existing build to install from (default: build/ at the project root)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
"$root/scripts/setup.sh" --e2e

desktop-file-validate "$root/packaging/globule.desktop"
appstreamcli validate --no-net "$root/packaging/org.example.globule.metainfo.xml"

if [[ ! -x "$build/globule" ]]; then
    BUILD_DIR=$build "$root/scripts/build.sh"
fi
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

libdir=$(cmake -LA -N "$build" 2>/dev/null | sed -n 's/^CMAKE_INSTALL_LIBDIR:PATH=//p')
expected=(
    bin/globule
    "${libdir:-lib}/globule/libglobule_sound.so"
    share/applications/globule.desktop
    share/metainfo/org.example.globule.metainfo.xml
    share/icons/hicolor/scalable/apps/globule.svg
)
for png in "$root"/packaging/icons/hicolor/*/apps/globule.png; do
    expected+=("share/icons/hicolor/${png#"$root"/packaging/icons/hicolor/}")
done
missing=0
for file in "${expected[@]}"; do
    if [[ ! -f "$prefix/$file" ]]; then
        echo "not installed: $file" >&2
        missing=1
    fi
done
((missing == 0))
appstreamcli validate-tree --no-net "$prefix"
echo "packaging: ${#expected[@]} files installed and valid"
