#!/usr/bin/env bash
# The real-window test: the built game under Xvfb (1024x768) with openbox, driven by real key
# presses and clicks through xdotool, checked on screenshots and on the files it writes.
#   BUILD_DIR    the build holding the program (default: build/ at the project root; built
#                when the program is missing)
#   E2E_KEEP=1   keep the scratch folder (screenshots, logs, match files) after a pass too
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
"$root/scripts/setup.sh" --e2e
if [[ ! -x "$build/globule" ]]; then
    BUILD_DIR=$build "$root/scripts/build.sh"
fi
program=$build/globule
new_match=$root/tests/fuzz/seeds/new_match.bin

check_name=e2e
source "$root/tests/e2e/session.sh"

# ---- The display, the window manager and the program ------------------------------------

start_session || fail "no X session"

start_game "$program"
wait_for 20 find_maximised_window || fail "no maximised window"
settle_window || fail "the window size did not settle"
step "window $window: client area ${client_w}x${client_h} at ($client_x,$client_y)"
[[ $client_w == 1024 ]] || fail "client area is $client_w wide, not 1024"

# ---- Screenshots and pixels ---------------------------------------------------------------

# How many pure red pixels the rectangle holds.
red_pixels() {
    local count
    count=$(/usr/bin/convert "$work/$1.png" -crop "$4x$5+$2+$3" +repage -depth 8 \
        -format %c histogram:info:- | grep -i '#FF0000' | awk -F: '{gsub(/ /, "", $1); print $1}')
    echo "${count:-0}"
}
expect_pixel() { # shot x y colour what
    local got
    got=$(pixel "$1" "$2" "$3")
    [[ $got == "$4" ]] || fail "$5: pixel ($2,$3) of $1 is $got, not $4"
}

press() {
    alive || fail "the program ended unexpectedly"
    timeout 10 xdotool key --clearmodifiers "$@" || fail "xdotool key $*"
}
click() {
    alive || fail "the program ended unexpectedly"
    # --sync waits for the pointer to move, so it starts from a pixel away.
    timeout 10 xdotool mousemove $(($1 + 1)) "$2" mousemove --sync "$1" "$2" click 1 ||
        fail "click at $1,$2"
}
title() { timeout 5 xdotool getwindowname "$window"; }
dialog_up() { timeout 5 xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
dialog_gone() { ! dialog_up "$1"; }
# Return accepts a dialog; a completion list open over the file name takes the first one.
submit() {
    local try
    for try in 1 2 3; do
        press Return
        wait_for 2 dialog_gone "$1" && return 0
    done
    fail "the $1 dialog stayed open"
}

PALE_GREEN='#DCFFDC'
PALE_PINK='#FFF0F0'
ORANGE='#FF8040'
TEAL='#00A0A0'

# ---- Home ---------------------------------------------------------------------------------

wait_for 10 home_painted || fail "the Home page was not drawn (refused display or hang?)"
step "Home page drawn; the view starts at y=$view_top"
expect_pixel home 1000 $((view_top + 400)) "$PEACH" "Home background"
[[ $(title) == Globule* ]] || fail "caption: $(title)"

# ---- Score screen -------------------------------------------------------------------------

# Score-table geometry of a 1024-wide view: column p starts at 924 - (6 - p) * 114; the
# Average row (blank in a new match) spans y 89..106.
cell_x() { echo $((924 - (6 - $1) * 114 + 4)); }
average_y=$((view_top + 97))
blob_x=273
blob_y=$((view_top + 156))

press space
score_shown() {
    shot score
    [[ $(pixel score 5 $((view_top + 300))) == "$PALE_GREEN" ]]
}
wait_for 10 score_shown || fail "Space did not show the Score screen"
expect_pixel score "$(cell_x 0)" "$average_y" "$PALE_PINK" "active player's column"
expect_pixel score "$(cell_x 1)" "$average_y" "$TEAL" "second player's column"
red=$(red_pixels score "$blob_x" "$blob_y" 480 480)
((red > 20000)) || fail "only $red red pixels in the blob area"
step "Score screen: table colours right, blob of $red red pixels"

# ---- Save As through the dialog -----------------------------------------------------------

saved="$matches/first match"
press ctrl+s
wait_for 10 dialog_up "Save As" || fail "Ctrl+S showed no Save As dialog"
press ctrl+a
timeout 10 xdotool type --delay 10 "$saved" || fail "typing the file name"
submit "Save As"
wait_for 10 test -s "$saved" || fail "Save As wrote no file"
cmp "$saved" "$new_match" || fail "the saved new match differs from $new_match"
step "Save As wrote the 211-byte new match byte for byte"
wait_for 5 bash -c "[[ \"\$(xdotool getwindowname $window)\" == *'Current File is:  $saved' ]]" ||
    fail "caption does not name the file: $(title)"

# ---- A click on a name makes that player active -------------------------------------------

click $(($(cell_x 1) + 50)) $((view_top + 14))
clicked() {
    shot clicked
    [[ $(pixel clicked "$(cell_x 0)" "$average_y") == "$ORANGE" &&
        $(pixel clicked "$(cell_x 1)" "$average_y") == "$PALE_PINK" ]]
}
wait_for 5 clicked || fail "clicking the second name did not make that player active"
step "clicked the second player's name: it is active, the first column is orange"

# ---- Fastest speed through the Options menu, then a whole game ----------------------------

# The Options title and its entries, 22 px apart below the 19 px menu bar.
options_x=$((client_x + 68))
menu_y=$((client_y + 9))
entry_x=$((client_x + 114))
entry_y() { echo $((client_y + 29 + 22 * $1)); }
click "$options_x" "$menu_y"
sleep 0.4
shot options_menu
click "$entry_x" "$(entry_y 1)" # "Set Speed To Fastest"
wait_for 5 bash -c "[[ \"\$(xdotool getwindowname $window)\" == *'Speed: Fastest '* ]]" ||
    fail "Set Speed To Fastest did not reach the caption: $(title)"

press space
sleep 1.6 # the first tick comes at 50 ms, the next after 990 ms
shot play
# Play clears the table band and keeps the blob.
[[ $(pixel play "$(cell_x 1)" "$average_y") != "$TEAL" ]] || fail "Space did not start a game"
red_play=$(red_pixels play "$blob_x" "$blob_y" 480 480)
((red_play > 20000)) || fail "no blob during play ($red_play red pixels)"
press space
sleep 0.5
wait_for 10 score_shown || fail "the game did not end on the Score screen"
step "played a game at Fastest: Space, two ticks, Space"

# Save again (the match has a file now: no dialog) and read the game back from the file.
cp "$saved" "$work/before-game.bin"
press ctrl+s
changed() { ! cmp -s "$saved" "$work/before-game.bin"; }
wait_for 10 changed || fail "Ctrl+S did not rewrite the match file"
dialog_gone "Save As" || fail "Ctrl+S asked for a name although the match has a file"
games=$(od -An -t d4 -j 32 -N 4 "$saved" | tr -d ' ')
[[ $games == 1 ]] || fail "the second player has $games games in the file, not 1"
speed=$(od -An -t d4 -j 152 -N 8 "$saved" | tr -s ' ')
[[ $speed == " 0 990" ]] || fail "speed fields in the file are '$speed'"
step "Ctrl+S saved the game: one game for the second player, speed Fastest"

# ---- New match, then Open through the dialog ----------------------------------------------

press ctrl+n
wait_for 5 bash -c "[[ \"\$(xdotool getwindowname $window)\" == *'Current File is:  None.' ]]" ||
    fail "Ctrl+N did not start a new match: $(title)"
press ctrl+o
wait_for 10 dialog_up "Open" || fail "Ctrl+O showed no Open dialog"
timeout 10 xdotool type --delay 10 "$saved" || fail "typing the file name"
submit "Open"
wait_for 5 bash -c "[[ \"\$(xdotool getwindowname $window)\" == *'Speed: Fastest  -- Current File is:  $saved' ]]" ||
    fail "Open did not load the file: $(title)"
wait_for 10 score_shown || fail "no Score screen after Open"
step "Ctrl+N then Ctrl+O: the saved match is back, at Fastest"

# ---- Change Names through the Options menu ------------------------------------------------

click "$options_x" "$menu_y"
sleep 0.4
click "$entry_x" "$(entry_y 0)" # "Change Names"
wait_for 10 dialog_up "Change Player Names" || fail "no Change Player Names dialog"
sleep 0.3
shot change_names
timeout 10 xdotool type --delay 10 "Xavier" || fail "typing a name"
press Tab Tab
timeout 10 xdotool type --delay 10 "Yolanda-Longer-Than-Ten" || fail "typing a name"
submit "Change Player Names"
cp "$saved" "$work/before-names.bin"
press ctrl+s
wait_for 10 bash -c "! cmp -s '$saved' '$work/before-names.bin'" || fail "Ctrl+S after the names"
# Names follow the 160-byte fixed part as counted strings, row 1 first.
hex() { od -An -tx1 | tr -d ' \n'; }
want=$(printf '\x06Xavier\x04Burt\x0aYolanda-Lo\x06Donald' | hex)
got=$(tail -c +161 "$saved" | head -c 30 | hex)
[[ $got == "$want" ]] ||
    fail "names in the file are $got, not $want (row 1 to column 1, row 3 to column 3, 10 characters)"
step "Change Names: row 1 and row 3 renamed columns 1 and 3, the long name cut at ten"

# ---- A double-click on the caption bar during a game -------------------------------------

# openbox takes the maximised state away and gives it back at the next double-click: the same
# game goes on at every size, neither dropped nor refused.
ORANGE_BOX_X=950 # inside the tick counter at the top right, clear of its text
in_game() {
    shot "$1"
    [[ $(pixel "$1" "$ORANGE_BOX_X" $((view_top + 30))) == "$ORANGE" &&
        $(pixel "$1" "$(cell_x 1)" "$average_y") != "$TEAL" ]]
}
double_click_caption() { # X Y of the client area's top left
    timeout 10 xdotool mousemove $(($1 + 401)) $(($2 - 9)) \
        mousemove --sync $(($1 + 400)) $(($2 - 9)) click --repeat 2 --delay 80 1 ||
        fail "double-click on the caption bar"
}
maximised() { timeout 5 xprop -id "$window" _NET_WM_STATE | grep -q MAXIMIZED_VERT; }
press space
wait_for 5 in_game game_before || fail "Space did not start a game before the double-click"
red_before=$(red_pixels game_before "$blob_x" "$blob_y" 480 480)
maximised_at=$last
double_click_caption "$client_x" "$client_y"
wait_for 10 eval '! maximised' || fail "the double-click did not unmaximise the window"
settle_window || fail "the unmaximised window did not settle"
step "unmaximised: client area ${client_w}x${client_h} at ($client_x,$client_y)"
((client_w < 1024)) || fail "the unmaximised window is as wide as the screen"
# The picture, scaled to fit whole: the tick counter's orange, and no refusal.
playing_smaller() {
    shot game_smaller
    local crop="${client_w}x${client_h}+${client_x}+${client_y}"
    [[ $(/usr/bin/convert "$work/game_smaller.png" -crop "$crop" +repage -fuzz 10% -fill white \
        -opaque "$ORANGE" -fill black +opaque white -format '%[fx:mean > 0.001]' info:) == 1 ]]
}
wait_for 5 playing_smaller || fail "the game is not shown in the unmaximised window"
double_click_caption "$client_x" "$client_y"
wait_for 10 maximised || fail "the second double-click did not maximise the window"
settle_window || fail "the maximised window did not settle"
[[ $last == "$maximised_at" ]] || fail "the window is now $last, not $maximised_at"
in_game game_after || fail "the game did not go on after the double-clicks"
red_after=$(red_pixels game_after "$blob_x" "$blob_y" 480 480)
# The same blob, give or take what the cross hairs cover at their two positions.
((red_after > red_before - 2000 && red_after < red_before + 2000)) ||
    fail "another blob after the double-clicks ($red_before, then $red_after red pixels)"
games_before=$(od -An -t d4 -j 32 -N 4 "$saved" | tr -d ' ')
press space
wait_for 10 score_shown || fail "Space did not stop the game after the double-clicks"
cp "$saved" "$work/before-double-click.bin"
press ctrl+s
wait_for 10 bash -c "! cmp -s '$saved' '$work/before-double-click.bin'" || fail "Ctrl+S after the game"
games=$(od -An -t d4 -j 32 -N 4 "$saved" | tr -d ' ')
((games == games_before + 1)) || fail "the game across the double-clicks was not counted ($games)"
step "double-clicks on the caption bar during a game: unmaximised and back, the same game went on and counted"

# ---- About, then Alt+F4 -------------------------------------------------------------------

press alt+h
sleep 0.3
press a
wait_for 10 dialog_up "About Globule" || fail "no About box"
sleep 0.3
shot about
submit "About Globule"

press alt+F4
wait_for 10 bash -c "! kill -0 $game 2>/dev/null" || fail "Alt+F4 did not end the program"
status=0
wait "$game" || status=$?
((status == 0)) || fail "the program ended with status $status"
recent=$(grep -h '^File1=' "$XDG_CONFIG_HOME"/*/Globule.conf 2>/dev/null || true)
[[ $recent == "File1=$saved" ]] || fail "recent list after exit: '$recent'"
step "Alt+F4 ended the program (status 0); the recent list names the match"

passed=1
echo "e2e: PASSED"
