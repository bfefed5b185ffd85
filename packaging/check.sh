#!/usr/bin/env bash
# Checks the desktop integration: validates the desktop entry, the AppStream data and the manual
# page, installs into a scratch prefix and checks that every file lands where desktops look for it.
#   BUILD_DIR   an existing build to install from (default: build/ at the project root)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
"$root/scripts/setup.sh" --e2e

desktop-file-validate "$root/packaging/globule.desktop"
"$root/packaging/check-release.sh"

if [[ ! -x "$build/globule" ]]; then
    BUILD_DIR=$build "$root/scripts/build.sh"
fi
# The build configures the manual page and the AppStream data; man must find the page's NAME
# line and render it unwarned.
cmake --build "$build" --target globule -j"$(nproc)" >/dev/null
app_id=$(sed -n 's/^set(GLOBULE_APP_ID "\(.*\)")$/\1/p' "$root/CMakeLists.txt")
appstreamcli validate --no-net --pedantic --strict "$build/$app_id.metainfo.xml"
lexgrog "$build/globule.6"
warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l "$build/globule.6" 2>&1 >/dev/null)
if [[ -n $warnings ]]; then
    echo "$warnings" >&2
    echo "the manual page renders with warnings" >&2
    exit 1
fi
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

libdir=$(cmake -LA -N "$build" 2>/dev/null | sed -n 's/^CMAKE_INSTALL_LIBDIR:PATH=//p')
expected=(
    bin/globule
    "${libdir:-lib}/globule/libglobule_sound.so"
    share/applications/globule.desktop
    "share/metainfo/$app_id.metainfo.xml"
    share/icons/hicolor/scalable/apps/globule.svg
    share/man/man6/globule.6
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
appstreamcli validate-tree --no-net --pedantic --strict "$prefix"
echo "packaging: ${#expected[@]} files installed and valid"
