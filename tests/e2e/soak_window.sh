#!/usr/bin/env bash
# The real-window soak: the built game under Xvfb (1024x768) and openbox, given random keys
# (the game's five, Escape and Return for its boxes, letters) and random clicks inside the view
# by xdotool for a while, then checked: the program is alive, a key still changes the screen
# within a second, and a match saved from it loads back and saves again to the same bytes.
#   BUILD_DIR        the build holding the program (default: build/ at the project root)
#   SOAK_SEED        the seed of the random input (default: from the clock; printed)
#   SOAK_SECONDS     how long the random input goes on (default 60)
#   E2E_KEEP=1       keep the scratch folder after a pass too
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
"$root/scripts/setup.sh" --e2e
if [[ ! -x "$build/globule" ]]; then
    BUILD_DIR=$build "$root/scripts/build.sh"
fi
program=$build/globule
seed=${SOAK_SEED:-$(date +%s)}
seconds=${SOAK_SECONDS:-60}
echo "soak-window: seed $seed, ${seconds} s of random input (replay: SOAK_SEED=$seed $0)"
RANDOM=$seed

check_name="soak-window (seed $seed)"
source "$root/tests/e2e/session.sh"

start_session || fail "no X session"
start_game "$program"
wait_for 20 find_maximised_window || fail "no maximised window"
settle_window || fail "the window size did not settle"
# The view lies below the 19-pixel menu bar.
view_top=$((client_y + 19))
view_bottom=$((client_y + client_h - 1))
step "window $window: client area ${client_w}x${client_h} at ($client_x,$client_y)"

press() {
    alive || fail "the program ended (after key $*)"
    timeout 10 xdotool key --clearmodifiers "$@" || fail "xdotool key $*"
}
click() {
    alive || fail "the program ended (before a click at $1,$2)"
    timeout 10 xdotool mousemove --sync "$1" "$2" click 1 || fail "click at $1,$2"
}
title() { timeout 5 xdotool getwindowname "$window"; }
# The game's message boxes are titled "Globule"; its main window never is, exactly.
box_up() { timeout 5 xdotool search --onlyvisible --name '^Globule$' >/dev/null 2>&1; }
dialog_up() { timeout 5 xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
dialog_gone() { ! dialog_up "$1"; }
submit() {
    local try
    for try in 1 2 3; do
        press Return
        wait_for 2 dialog_gone "$1" && return 0
    done
    fail "the $1 dialog stayed open"
}

# ---- Random input -------------------------------------------------------------------------

keys=(space space space space space End End F1 Prior Next Next Escape Return a z q Tab Home Up)
actions=0
deadline=$((SECONDS + seconds))
while ((SECONDS < deadline)); do
    if ((RANDOM % 100 < 70)); then
        press "${keys[RANDOM % ${#keys[@]}]}"
    else
        click $((client_x + RANDOM % client_w)) $((view_top + RANDOM % (view_bottom - view_top)))
    fi
    actions=$((actions + 1))
    # Sometimes a pause long enough for a tick or two.
    if ((RANDOM % 100 < 10)); then
        sleep "0.$((RANDOM % 10))"
    fi
done
alive || fail "the program ended during the random input"
step "$actions random keys and clicks in ${seconds} s; the program is alive"

# ---- It still answers ---------------------------------------------------------------------

for _ in 1 2 3 4 5; do
    box_up || break
    press Escape
    sleep 0.2
done
box_up && fail "a message box does not close"

PALE_GREEN='#DCFFDC'
TEAL='#00A0A0'
probe_x=$((client_x + 5))
probe_y=$((view_top + 300))
cell_x=$((client_x + 924 - 5 * 114 + 4)) # the second player's column
cell_y=$((view_top + 97))
screen_now() {
    shot now
    local background
    background=$(pixel now "$probe_x" "$probe_y")
    if [[ $background == "$PEACH" ]]; then
        echo home
    elif [[ $background == "$PALE_GREEN" ]]; then
        if [[ $(pixel now "$cell_x" "$cell_y") == "$TEAL" || $(pixel now "$cell_x" "$cell_y") == '#FFF0F0' ]]; then
            echo score
        else
            echo play
        fi
    else
        echo other
    fi
}
# Within a second of a key the screen shows `want`.
millis() { echo $(($(date +%s%N) / 1000000)); }
answers() { # key want
    local start
    start=$(millis)
    press "$1"
    while (($(millis) - start <= 1000)); do
        [[ $(screen_now) == "$2" ]] && return 0
    done
    return 1
}
now=$(screen_now)
[[ $now == other ]] && fail "the view shows neither Home nor Score nor Play (refused?)"
if [[ $now == play ]]; then
    sleep 0.2 # past the first tick, so that Space stops the game
    answers space score || fail "Space did not end the game within a second"
elif [[ $now == home ]]; then
    answers space score || fail "Space on Home did not show the Score screen within a second"
fi
answers End home || fail "End on the Score screen did not show Home within a second"
answers space score || fail "Space on Home did not show the Score screen within a second"
step "Space and End each changed the screen within a second"

# ---- A save loads back --------------------------------------------------------------------

saved="$matches/after soak.bin"
press ctrl+s
wait_for 10 dialog_up "Save As" || fail "Ctrl+S showed no Save As dialog"
press ctrl+a
timeout 10 xdotool type --delay 10 "$saved" || fail "typing the file name"
submit "Save As"
wait_for 10 test -s "$saved" || fail "Save As wrote no file"

# The file's layout: 160 bytes of integers, then seven counted strings and nothing more.
size=$(stat -c %s "$saved")
offset=160
for _ in 1 2 3 4 5 6 7; do
    ((offset < size)) || fail "the saved file ends inside its strings ($size bytes)"
    length=$(od -An -tu1 -j "$offset" -N 1 "$saved" | tr -d ' ')
    ((length < 255)) || fail "a counted string of the long form in a match of plain names"
    offset=$((offset + 1 + length))
done
((offset == size)) || fail "the saved file has $((size - offset)) bytes after its last string"
pot=$(od -An -td4 -j 148 -N 4 "$saved" | tr -d ' ')
((pot >= 0 && pot % 50 == 0)) || fail "the saved pot is $pot"
cp "$saved" "$work/first-save.bin"

# Open it again and save again: the same match gives the same bytes.
press ctrl+o
wait_for 10 dialog_up "Open" || fail "Ctrl+O showed no Open dialog"
timeout 10 xdotool type --delay 10 "$saved" || fail "typing the file name"
submit "Open"
wait_for 5 bash -c "[[ \"\$(xdotool getwindowname $window)\" == *'Current File is:  $saved' ]]" ||
    fail "Open did not load the saved file: $(title)"
box_up && fail "opening the saved file showed a message"
rm "$saved"
press ctrl+s
wait_for 10 dialog_up "Save As" || fail "Ctrl+S after the file went showed no Save As dialog"
press ctrl+a
timeout 10 xdotool type --delay 10 "$saved" || fail "typing the file name"
submit "Save As"
wait_for 10 test -s "$saved" || fail "the second save wrote no file"
cmp -s "$saved" "$work/first-save.bin" || fail "the reopened match saved to other bytes"
step "the match saved from the soak ($size bytes, pot $pot) loads back and saves the same"

press alt+F4
wait_for 10 bash -c "! kill -0 $game 2>/dev/null" || fail "Alt+F4 did not end the program"
status=0
wait "$game" || status=$?
((status == 0)) || fail "the program ended with status $status"
passed=1
echo "soak-window: PASSED (seed $seed)"
