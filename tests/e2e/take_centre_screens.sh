#!/usr/bin/env bash
# The player's own records in the real window, under Xvfb + openbox at 1024x768 and at
# 1280x1024: with "Show Centre After Each Game" on, a stopped game shows its centre for two
# seconds and then the Score screen; the game enters the hall of fame, whose dialog Escape
# closes; a held key is one press; Ctrl+Q ends the program. Screenshots go to docs/screens/
# (or the folder given as the first argument); a check that fails stops the script.
#   BUILD_DIR    the build holding the program (default: build/ at the project root)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
out=$(cd "${1:-$root/docs/screens}" && pwd)

if [[ "${2:-}" != --one ]]; then
    "$root/scripts/setup.sh" --e2e
    if [[ ! -x "$build/globule" ]]; then
        BUILD_DIR=$build "$root/scripts/build.sh"
    fi
    for size in 1024x768 1280x1024; do
        E2E_SCREEN=$size BUILD_DIR=$build "$0" "$out" --one
    done
    exit 0
fi

size=${E2E_SCREEN:-1024x768}
check_name="centre screens ($size)"
source "$root/tests/e2e/session.sh"
start_session || fail "no X session"

# The choice is on, as the Options menu leaves it; the hall already holds a few games.
settings="$work/config/Local AppWizard-Generated Applications"
mkdir -p "$settings"
printf '[Options]\nShowCentreAfterEachGame=true\n' >"$settings/Globule.conf"
hall_file="$work/data/Local AppWizard-Generated Applications/Globule/hall-of-fame.txt"
mkdir -p "$(dirname "$hall_file")"
printf 'Globule hall of fame 1\n%s\n%s\n%s\n%s\n' \
    $'1187\t990\t2026-11-28T20:41:07Z\tCindy' \
    $'1043\t1990\t2026-12-02T19:05:44Z\tDonald' \
    $'1000\t2990\t2026-12-03T18:12:30Z\tEllen' \
    $'935\t4990\t2026-12-05T21:02:11Z\tBurt' >"$hall_file"

start_game "$build/globule"
wait_for 20 find_maximised_window || fail "no maximised window"
settle_window || fail "the window size did not settle"
step "client area ${client_w}x${client_h} at ($client_x,$client_y)"

press() {
    alive || fail "the program ended unexpectedly"
    timeout 10 xdotool key --clearmodifiers "$@" || fail "xdotool key $*"
}
# Pixels of exactly this colour in the whole screenshot.
count_colour() {
    /usr/bin/convert "$work/$1.png" -depth 8 -format %c histogram:info:- |
        awk -v want="$2" 'index(toupper($0), want) {gsub(/[: ]/, "", $1); n += $1} END {print n + 0}'
}
PALE_GREEN='#DCFFDC'
CENTRE_BLUE='#0000FF'

wait_for 10 home_painted || fail "the Home page was not drawn"
screen_is() { # shot colour: the view's left edge, half-way down, shows that screen
    shot "$1"
    [[ $(pixel "$1" 5 $((view_top + 300))) == "$2" ]]
}

# A held Page Down turns one page: the keyboard's repeats do nothing.
timeout 10 xdotool keydown Next
sleep 1.5
timeout 10 xdotool keyup Next
sleep 0.3
shot held
press Prior
sleep 0.3
shot back
view() { /usr/bin/convert "$work/$1.png" -crop "${client_w}x300+$client_x+$view_top" +repage rgb:-; }
cmp -s <(view back) <(view home) && ! cmp -s <(view held) <(view home) ||
    fail "a Page Down held for 1.5 s and one Page Up do not come back to the first page"
step "a held Page Down turned one page"

press space
wait_for 10 screen_is score "$PALE_GREEN" || fail "Space did not show the Score screen"
press space
sleep 1.2 # position 1 comes at 50 ms; the next move only after 2990 ms
press space
sleep 0.4 # the stop's own drawing, well within the two seconds
name=centre-after-a-stop-$size
shot "$name"
cp "$work/$name.png" "$out/$name.png"
blue=$(count_colour "$name" "$CENTRE_BLUE")
((blue > 400)) || fail "no centre shown after the stop ($blue blue pixels)"
step "the centre after a stop: $blue blue pixels, in $out/$name.png"
# The score table's magenta frame, at x 100 of the view, is the Score screen's alone.
score_table() {
    shot after
    [[ $(pixel after $((client_x + 100)) $((view_top + 60))) == '#FF00FF' ]]
}
wait_for 4 score_table || fail "the Score screen did not follow the centre"
((blue = $(count_colour after "$CENTRE_BLUE"), blue == 0)) ||
    fail "the centre is still shown on the Score screen"
grep -q $'\tAlice$' "$hall_file" || fail "the game did not enter the hall of fame"
step "two seconds later the Score screen; the game is in the hall of fame"

if [[ $size == 1024x768 ]]; then
    # Options, then Up to its last entry, "Hall of Fame...".
    timeout 10 xdotool mousemove $((client_x + 69)) $((client_y + 9)) \
        mousemove --sync $((client_x + 68)) $((client_y + 9)) click 1
    sleep 0.5
    press Up Return
    dialog_up() { timeout 5 xdotool search --onlyvisible --name '^Hall of Fame$' >/dev/null 2>&1; }
    wait_for 5 dialog_up || fail "no Hall of Fame dialog"
    sleep 0.5
    timeout 10 import -window root "$out/hall-of-fame.png"
    press Escape
    gone() { ! dialog_up; }
    wait_for 5 gone || fail "Escape did not close the Hall of Fame"
    step "the hall of fame, in $out/hall-of-fame.png; Escape closed it"
fi

# The games played are not saved: Ctrl+Q asks about them first, and Discard lets them go.
press ctrl+q
question_up() { timeout 5 xdotool search --onlyvisible --name '^Globule$' >/dev/null 2>&1; }
wait_for 5 question_up || fail "Ctrl+Q asked nothing about the unsaved games"
press alt+d
ended() { ! alive; }
wait_for 5 ended || fail "Ctrl+Q and Discard did not end the program"
step "Ctrl+Q asked about the unsaved games and, answered Discard, ended the program"
passed=1
