#!/usr/bin/env bash
# Checks that the Debian packages are reproducible: builds the commit at HEAD a second time,
# in another folder, later, in another time zone and locale and with another umask, and
# compares every .deb with the first build's byte for byte. The tests do not change what is
# packaged, so the second build skips them (nocheck). Also looks for either build's folder in
# the packaged files, the debugging data decompressed: a build path there makes the build IDs,
# and so the packages, depend on where they were built.
#   FIRST   the first build's folder, as made by packaging/build-deb.sh (default: build-deb/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
first=$(realpath "${1:-$root/build-deb}")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
second=$scratch/elsewhere/second-build

started=$SECONDS
(
    umask 0002
    export TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 LANG=C.UTF-8
    "$root/packaging/build-deb.sh" --nocheck "$second" >"$scratch/build.out"
) || {
    cat "$scratch/build.out" >&2
    echo "check-reproducible: the second build failed" >&2
    exit 1
}
echo "reproducible: second build in $second, in $((SECONDS - started)) s"

# The build folders, as the packaged files could hold them.
folders=()
for build in "$first" "$second"; do
    folders+=("$build" "$(find "$build" -maxdepth 1 -type d -name 'globule-*' | head -n1)")
done
status=0
for deb in "$first"/*.deb; do
    name=$(basename "$deb")
    other=$second/$name
    if [[ ! -f $other ]]; then
        echo "check-reproducible: the second build made no $name" >&2
        status=1
        continue
    fi
    sum=$(sha256sum <"$deb" | cut -d' ' -f1)
    if [[ $sum == "$(sha256sum <"$other" | cut -d' ' -f1)" ]]; then
        echo "reproducible: $name identical, sha256 $sum"
    else
        echo "check-reproducible: $name differs between $first and $second" >&2
        if command -v diffoscope >/dev/null; then
            diffoscope --text - "$deb" "$other" 2>&1 | head -n 80 >&2 || true
        fi
        status=1
    fi
    unpacked=$scratch/unpacked/$name
    mkdir -p "$unpacked"
    dpkg-deb -x "$deb" "$unpacked"
    while IFS= read -r -d '' file; do
        if [[ $(file -b "$file") == ELF* ]]; then
            objcopy --decompress-debug-sections "$file" "$scratch/plain"
        else
            cp "$file" "$scratch/plain"
        fi
        for folder in "${folders[@]}"; do
            if grep -qaF "$folder" "$scratch/plain"; then
                echo "check-reproducible: ${file#"$unpacked"} in $name holds $folder" >&2
                status=1
            fi
        done
    done < <(find "$unpacked" -type f -print0)
done
for name in "$second"/*.deb; do
    [[ -f $first/$(basename "$name") ]] || {
        echo "check-reproducible: only the second build made $(basename "$name")" >&2
        status=1
    }
done
if ((status == 0)); then
    echo "reproducible: both builds made the same packages; no build folder in them"
fi
exit "$status"
