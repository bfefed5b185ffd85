#!/usr/bin/env bash
# Screenshots of the window's menus and dialogs under Xvfb + openbox at 1024x768, for
# docs/screens/ (or the folder given as the first argument).
#   BUILD_DIR    the build holding the program (default: build/ at the project root)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
out=$(cd "${1:-$root/docs/screens}" && pwd)
"$root/scripts/setup.sh" --e2e
if [[ ! -x "$build/globule" ]]; then
    BUILD_DIR=$build "$root/scripts/build.sh"
fi
source "$root/tests/e2e/session.sh"
start_session

# Two matches in the recent list, so the File menu shows its entries.
matches=$HOME/Games/Globule
mkdir -p "$work/config/Local AppWizard-Generated Applications"
printf '[Recent%%20File%%20List]\nFile1=%s\nFile2=%s\n' "$matches/friday.bin" \
    "$matches/club championship/round two.bin" \
    >"$work/config/Local AppWizard-Generated Applications/Globule.conf"

cd "$work"
"$build/globule" >"$work/globule.log" 2>&1 &
pids+=($!)
game=$!
up() { timeout 5 xdotool search --onlyvisible --pid "$game" >/dev/null 2>&1; }
wait_for 20 up
sleep 1.5 # maximised and drawn
key() { timeout 10 xdotool key --clearmodifiers "$@"; sleep 0.5; }
# --sync waits for the pointer to move, so it starts from a pixel away.
click() {
    timeout 10 xdotool mousemove $(($1 + 1)) "$2" mousemove --sync "$1" "$2" click 1
    sleep 0.5
}
shot() { timeout 10 import -window root "$out/$1.png"; }

key space
key alt+f
shot menu-file
key Escape
click 68 28
shot menu-options
key Escape
key alt+h
shot menu-help
key Escape
click 68 28
click 114 48
shot change-names
key Escape
key alt+h a
shot about
key Return
passed=1
