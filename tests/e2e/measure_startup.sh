#!/usr/bin/env bash
# Start-up time (launch to the first paint of the Home page's colour on screen) and memory
# (resident set one second later) of the game against a bare Qt main window, alternating runs
# in one Xvfb + openbox session at 1024x768. Prints each run and the medians and ratios.
#   RUNS=N       runs of each program (default 9)
#   BUILD_DIR    the build holding the program (default: build/ at the project root)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
runs=${RUNS:-9}
"$root/scripts/setup.sh" --e2e
if [[ ! -x "$build/globule" ]]; then
    BUILD_DIR=$build "$root/scripts/build.sh"
fi
source "$root/tests/e2e/session.sh"

cmake -S "$root/tests/e2e/baseline" -B "$work/baseline" >/dev/null
cmake --build "$work/baseline" >/dev/null
g++ -std=c++20 -O2 -Wall -Wextra -Werror -o "$work/startup_probe" \
    "$root/tests/e2e/startup_probe.cpp" -lX11

start_session
mkdir "$work/matches"
cd "$work/matches"

# A point of the right margin that is Home-page peach in both programs once maximised.
probe=("$work/startup_probe" 1000 440 FFC8A0 1000 20000)
median() { sort -n | awk '{a[NR] = $1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }

: >"$work/game.txt"
: >"$work/bare.txt"
# One unmeasured run of each warms the file cache.
"${probe[@]}" "$build/globule" >/dev/null
"${probe[@]}" "$work/baseline/bare_window" >/dev/null
for ((i = 1; i <= runs; i++)); do
    "${probe[@]}" "$build/globule" >>"$work/game.txt"
    "${probe[@]}" "$work/baseline/bare_window" >>"$work/bare.txt"
    echo "run $i: game $(tail -n1 "$work/game.txt")  bare $(tail -n1 "$work/bare.txt")  (ms kB)"
done

game_ms=$(cut -d' ' -f1 "$work/game.txt" | median)
bare_ms=$(cut -d' ' -f1 "$work/bare.txt" | median)
game_kb=$(cut -d' ' -f2 "$work/game.txt" | median)
bare_kb=$(cut -d' ' -f2 "$work/bare.txt" | median)
# Each game run is paired with the bare run after it; the median of their ratios is steadier
# on a busy machine than the ratio of the medians.
paired=$(paste -d' ' "$work/game.txt" "$work/bare.txt" | awk '{print $1 / $3}' | median)
echo "median of the paired start-up ratios: $paired"
awk -v gm="$game_ms" -v bm="$bare_ms" -v gk="$game_kb" -v bk="$bare_kb" -v n="$runs" 'BEGIN {
    printf "median of %d runs: start-up %.1f ms vs %.1f ms (%.2fx); RSS %.1f MB vs %.1f MB (%.2fx)\n",
        n, gm, bm, gm / bm, gk / 1024, bk / 1024, gk / bk }'
passed=1
