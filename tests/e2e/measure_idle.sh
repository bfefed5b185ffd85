#!/usr/bin/env bash
# What the game costs while nothing happens, against a bare Qt main window in the same run (one
# Xvfb + openbox session at 1024x768): processor time (user + system, fields 14 and 15 of
# /proc/PID/stat, in clock ticks; and to the microsecond, the time on a processor summed over
# the threads' /proc/PID/task/*/schedstat), wake-ups (voluntary context switches summed over the
# threads), and the X server's processor time. Measured on the bare window, on the same window
# with a 50 ms timer that does nothing (what waking for the Score screen's poll costs by itself),
# then on the game's Home page, its Score screen, and its Home page after End from the Score
# screen.
#   SECONDS_EACH=N   length of each measurement (default 60)
#   BUILD_DIR        the build holding the program (default: build/ at the project root)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
seconds_each=${SECONDS_EACH:-60}
"$root/scripts/setup.sh" --e2e
if [[ ! -x "$build/globule" ]]; then
    BUILD_DIR=$build "$root/scripts/build.sh"
fi
check_name=measure_idle
source "$root/tests/e2e/session.sh"

cmake -S "$root/tests/e2e/baseline" -B "$work/baseline" >/dev/null
cmake --build "$work/baseline" >/dev/null
start_session
xserver=${pids[0]}
ticks_per_second=$(getconf CLK_TCK)

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{n += $1} END {printf "%.0f", n}'; }
wakeups() { cat /proc/"$1"/task/*/status | awk '/^voluntary_ctxt_switches/ {n += $2} END {print n}'; }
shows() { # colour x y
    alive || fail "the program ended"
    shot screen || return 1
    [[ $(pixel screen "$2" "$3") == "$1" ]]
}

# Measures the program for $seconds_each seconds and prints one line for "$1".
measure() {
    local what=$1 cpu0 ns0 wake0 x0 cpu1 ns1 wake1 x1
    sleep 2 # let the screen settle before counting
    cpu0=$(cpu_ticks "$game")
    ns0=$(cpu_ns "$game")
    wake0=$(wakeups "$game")
    x0=$(cpu_ticks "$xserver")
    sleep "$seconds_each"
    cpu1=$(cpu_ticks "$game")
    ns1=$(cpu_ns "$game")
    wake1=$(wakeups "$game")
    x1=$(cpu_ticks "$xserver")
    awk -v what="$what" -v c="$((cpu1 - cpu0))" -v ns="$((ns1 - ns0))" -v w="$((wake1 - wake0))" \
        -v x="$((x1 - x0))" -v hz="$ticks_per_second" -v s="$seconds_each" 'BEGIN {
        printf "%-36s %5.0f ms a minute (%7.1f ms scheduled)  %5.1f wake-ups a second  X server %4.0f ms a minute\n",
            what, c * 1000 / hz * 60 / s, ns / 1e6 * 60 / s, w / s, x * 1000 / hz * 60 / s }'
}

bare() { # what [ARGS...]
    start_game "$work/baseline/bare_window" "${@:2}"
    wait_for 20 shows "$PEACH" 1000 440 || fail "the bare window did not paint"
    measure "$1"
    kill "$game"
    wait "$game" 2>/dev/null || true
}
bare "bare Qt window"
# The same window with a timer of the poll's period that does nothing.
bare "bare Qt window, a 50 ms timer" 50

start_game "$build/globule"
wait_for 20 shows "$PEACH" 1000 440 || fail "no Home page"
measure "game: Home page"
timeout 10 xdotool key --clearmodifiers space
wait_for 10 shows '#DCFFDC' 5 440 || fail "Space did not show the Score screen"
measure "game: Score screen"
timeout 10 xdotool key --clearmodifiers End
wait_for 10 shows "$PEACH" 1000 440 || fail "End did not show the Home page"
measure "game: Home page after End from Score"
passed=1
