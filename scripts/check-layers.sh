#!/usr/bin/env bash
# Checks the includes the build targets cannot: within the game's one target, the engine does
# not include the drawing, and nothing below the application includes it. (Widgets below the
# application do not compile at all: only its target links them.)
set -euo pipefail
cd "$(dirname "$0")/.."
bad=0
check() { # folders... -- forbidden include prefixes...
    local folders=() prefixes=()
    while [[ $1 != -- ]]; do folders+=("$1"); shift; done
    shift
    prefixes=("$@")
    local prefix
    for prefix in "${prefixes[@]}"; do
        if grep -rn --include='*.cpp' --include='*.h' "#include \"$prefix" "${folders[@]}"; then
            bad=1
        fi
    done
}
check platform -- document/ engine/ render/ app/
check document -- engine/ render/ app/
check engine -- render/ app/
check render -- app/
((bad == 0)) || { echo "layers: the includes above reach the wrong way" >&2; exit 1; }
echo "layers: every include points down"
