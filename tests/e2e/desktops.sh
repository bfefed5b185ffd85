#!/usr/bin/env bash
# The game on the desktops players have: Xvfb and openbox at many screen sizes and scale
# factors, X11 without a window manager, and weston's headless Wayland compositor. On each it
# checks that the view plays where a mode can (no refusal), that the Home page and its footer
# lie inside the window at the size and scale the game chose, and (under X11) that a click on
# a name makes that player active. Prints one table row per desktop.
#   desktops.sh            every desktop
#   desktops.sh --quick    the few that CI runs
#   desktops.sh --wayland N    N starts in a row under weston at 1280x1024
#   BUILD_DIR              the build holding the program (default: build/ at the project root)
#   DESKTOP_SHOTS=DIR      keep each desktop's Home and Score screenshots in DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}

if [[ ${1:-} != --case && ${1:-} != --wayland-case ]]; then
    "$root/scripts/setup.sh" --e2e
    if [[ ! -x "$build/globule" ]]; then
        BUILD_DIR=$build "$root/scripts/build.sh"
    fi
    probe_dir=$(mktemp -d /tmp/globule-probe.XXXXXX)
    trap 'rm -rf "$probe_dir"' EXIT
    g++ -std=c++20 -O2 -Wall -Wextra -Werror -I"$root" -o "$probe_dir/placement_probe" \
        "$root/tests/e2e/placement_probe.cpp" "$root/render/ViewPlacement.cpp" \
        "$root/render/DisplayMode.cpp"
    export PLACEMENT_PROBE=$probe_dir/placement_probe

    cases=()
    case ${1:-} in
    --quick)
        cases=("1024x768 1 openbox" "1920x1080 1.5 openbox" "1366x768 1 none")
        wayland_starts=10
        ;;
    --wayland)
        wayland_starts=${2:-10}
        ;;
    *)
        for size in 1024x768 1152x864 1280x1024 1366x768 1600x1200 1920x1080 2560x1440 3840x2160; do
            for scale in 1 1.25 1.5 2; do
                # Where the desktop's own size at that scale is still a screen's.
                if awk -v s="$size" -v f="$scale" \
                    'BEGIN {split(s, a, "x"); exit !(a[1] / f >= 800 && a[2] / f >= 500)}' ||
                    [[ $scale == 1 ]]; then
                    cases+=("$size $scale openbox")
                fi
            done
        done
        cases+=("1920x1080 1.75 openbox" "1024x768 1 none" "1920x1080 1 none")
        wayland_starts=10
        ;;
    esac

    echo "| screen | scale | desktop | view (its own pixels) | shown at | mode | result |"
    echo "|---|---|---|---|---|---|---|"
    failed=0
    for c in "${cases[@]}"; do
        "$0" --case $c || failed=1
    done
    if ((wayland_starts > 0)); then
        "$0" --wayland-case "$wayland_starts" || failed=1
    fi
    exit $failed
fi

# ---- One desktop ----------------------------------------------------------------------------

mode_of_run=$1
shift
if [[ $mode_of_run == --case ]]; then
    size=$1 scale=$2 wm=$3
    export E2E_SCREEN=$size E2E_WM=$wm
else
    size=1280x1024 scale=1 wm=weston
fi
source "$root/tests/e2e/session.sh"
program=$build/globule
row() { echo "| $size | $scale | $1 | $2 | $3 | $4 | $5 |"; }

# The bounding box "W H X Y" of the pixels of one colour in a screenshot, or nothing.
colour_box() {
    # The black border makes black the colour that trimming takes away.
    /usr/bin/convert "$1" -alpha off -fill black +opaque "$2" -fill white -opaque "$2" \
        -bordercolor black -border 1 -format '%@' info: 2>/dev/null |
        awk -F'[x+]' '$1 > 1 {print $1, $2, $3 - 1, $4 - 1}'
}
# How many pixels of one colour (within FUZZ, 0% unless given) a region "W H X Y" (or the
# whole shot) holds.
colour_count() {
    local crop=()
    [[ -n ${3:-} ]] && crop=(-crop "$3x$4+$5+$6" +repage)
    /usr/bin/convert "$1" "${crop[@]}" -alpha off -fuzz "${FUZZ:-0%}" -fill white -opaque "$2" \
        -fill black +opaque white -format '%[fx:round(mean * w * h)]' info:
}
PEACH='#FFC8A0'
REFUSAL_RED='#FF0000'
PALE_PINK='#FFF0F0'
PALE_GREEN='#DCFFDC'

if [[ $mode_of_run == --wayland-case ]]; then
    # ---- Wayland: weston's headless compositor, N starts of the game in a row ---------------
    starts=$1
    mkdir -m 700 "$work/runtime"
    export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config
    export PULSE_SERVER=unix:$work/no-sound-server
    unset DISPLAY
    weston --backend=headless-backend.so --use-pixman --width=1280 --height=1024 \
        --socket=globule-wl --debug --shell=desktop-shell.so >"$work/weston.log" 2>&1 &
    pids+=($!)
    export WAYLAND_DISPLAY=globule-wl QT_QPA_PLATFORM=wayland
    screenshot() {
        (cd "$work" && rm -f wayland-screenshot*.png &&
            timeout 10 weston-screenshooter >/dev/null 2>&1 &&
            mv wayland-screenshot*.png "$1") 2>/dev/null
    }
    # The desktop is up once its background is drawn below a dark panel: the game starts
    # on a desktop as a player finds it, not while the compositor is still taking its area.
    mean() {
        /usr/bin/convert "$work/desktop.png" -crop "$1" +repage -format '%[fx:mean]' info:
    }
    panel_up() {
        screenshot "$work/desktop.png" || return 1
        awk -v top="$(mean 1280x16+0+0)" -v middle="$(mean 1280x100+0+500)" \
            'BEGIN {exit !(top < 0.3 && middle > 0.1)}'
    }
    wait_for 20 panel_up || {
        row "weston" "-" "-" "-" "FAILED: no desktop"
        exit 1
    }
    good=0
    for ((n = 1; n <= starts; n++)); do
        "$program" >"$work/globule-$n.log" 2>&1 &
        game=$!
        pids+=("$game")
        home() {
            kill -0 "$game" 2>/dev/null || return 2
            screenshot "$work/start-$n.png" || return 1
            local box
            box=$(colour_box "$work/start-$n.png" "$PEACH")
            [[ -n $box ]] || return 1
            read -r pw ph px py <<<"$box"
        }
        result="FAILED"
        if wait_for 15 home; then
            red=$(colour_count "$work/start-$n.png" "$REFUSAL_RED")
            # The Home page fills the window: across all of it, down to the screen's bottom.
            if ((red < 50000 && pw >= 1260 && py + ph >= 1015)); then
                result="passed"
                good=$((good + 1))
            else
                result="FAILED: view ${pw}x${ph} at ($px,$py), $red refusal-red pixels"
            fi
        fi
        kill "$game" 2>/dev/null || true
        wait "$game" 2>/dev/null || true
        [[ $result == passed ]] || echo "start $n: $result" >&2
    done
    result="Home page, no refusal, in $good of $starts starts"
    ((good == starts)) || result="FAILED: $result"
    [[ -n ${DESKTOP_SHOTS:-} ]] && cp "$work/start-$starts.png" "$DESKTOP_SHOTS/$size-weston-home.png"
    row "weston (Wayland)" "${pw:-?}x${ph:-?} shown" "-" "-" "$result"
    ((good == starts)) && passed=1
    exit $((good == starts ? 0 : 1))
fi

# ---- X11: Xvfb with openbox or no window manager --------------------------------------------

fail() {
    row "$desktop" "${view:--}" "${shown:--}" "${mode:--}" "FAILED: $*"
    exit 1
}
desktop=$([[ $wm == none ]] && echo "X11, no window manager" || echo "X11, openbox")
start_session || fail "no X session"
[[ $scale != 1 ]] && export QT_SCALE_FACTOR=$scale
cd "$work"
"$program" >"$work/globule.log" 2>&1 &
game=$!
pids+=("$game")

window=""
find_window() {
    kill -0 "$game" 2>/dev/null || fail "the program ended at start-up"
    window=$(timeout 5 xdotool search --onlyvisible --pid "$game" 2>/dev/null | head -n1)
    [[ -n $window ]]
}
wait_for 20 find_window || fail "no window"
geometry() {
    timeout 5 xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /Width:/ {w=$NF} /Height:/ {h=$NF} END {print w, h, x, y}'
}
home_box=""
home_drawn() {
    timeout 10 import -window root "$work/home.png" || return 1
    home_box=$(colour_box "$work/home.png" "$PEACH")
    [[ -n $home_box && $(geometry) == "$last" ]]
}
last=""
settled() {
    local now
    now=$(geometry)
    [[ $now == "$last" ]] && home_drawn && return 0
    last=$now
    return 1
}
wait_for 20 settled || fail "no Home page (refused or still moving)"
read -r cw ch cx cy <<<"$last"
read -r pw ph px py <<<"$home_box"

# What the game chose for this widget: the view sits at the top of the widget, below the menu
# bar, across its whole width. Measured off the screen the widget's height may be a pixel out
# at a fractional scale (the toolkit rounds its own), so the nearest heights are tried too.
red=$(colour_count "$work/home.png" "$REFUSAL_RED")
((red < 50000)) || fail "refused ($red refusal-red pixels)"
((px >= cx && py >= cy && px + pw <= cx + cw && py + ph <= cy + ch)) ||
    fail "the Home page ($home_box) is not inside the window (${cw}x${ch}+${cx}+${cy})"
matched=0
for delta in 0 -1 1 -2 2; do
    read -r vw vh vs mode < <("$PLACEMENT_PROBE" "$cw" $((cy + ch - py + delta)) "$scale")
    expected_w=$(awk -v w="$vw" -v s="$vs" 'BEGIN {printf "%d", w * s + 0.5}')
    expected_h=$(awk -v h="$vh" -v s="$vs" 'BEGIN {printf "%d", h * s + 0.5}')
    if ((pw >= expected_w - 2 && pw <= expected_w + 2 && ph >= expected_h - 2 &&
        ph <= expected_h + 2)); then
        matched=1
        break
    fi
done
view="${vw}x${vh}"
shown="${pw}x${ph} at ${vs}"
((matched)) || fail "the Home page is ${pw}x${ph}, not what the game would choose"
((mode > 0)) || fail "no mode plays ${view}"
footer_h=$((ph / 8))
# Red text, smoothed where the scale is not a whole number.
footer=$(FUZZ=30% colour_count "$work/home.png" "$REFUSAL_RED" "$pw" "$footer_h" "$px" \
    $((py + ph - footer_h)))
((footer > 100)) || fail "no red footer at the bottom of the Home page"

# A click on the second player's name makes that player active: its column turns pale pink.
# In the view's own pixels the table's column p starts at W - 100 - (6 - p) * ((W - 223) / 7).
on_screen() { awk -v a="$1" -v b="$2" -v s="$vs" 'BEGIN {printf "%d", a + (b + 0.5) * s}'; }
timeout 10 xdotool key --window "$window" --clearmodifiers space
score_drawn() {
    timeout 10 import -window root "$work/score.png" || return 1
    [[ $(colour_count "$work/score.png" "$PALE_GREEN" 1 1 "$(on_screen "$px" 5)" \
        "$(on_screen "$py" 300)") == 1 ]]
}
wait_for 10 score_drawn || fail "Space did not show the Score screen"
column_left=$((vw - 100 - 5 * ((vw - 223) / 7)))
click_x=$(on_screen "$px" $((column_left + 4)))
click_y=$(on_screen "$py" 14)
timeout 10 xdotool mousemove $((click_x + 1)) "$click_y" \
    mousemove --sync "$click_x" "$click_y" click 1 || fail "click"
average_y=$(on_screen "$py" 97) # the Average row, empty in a new match
active() {
    timeout 10 import -window root "$work/clicked.png" || return 1
    [[ $(colour_count "$work/clicked.png" "$PALE_PINK" 1 1 "$click_x" "$average_y") == 1 ]]
}
wait_for 5 active || fail "a click on the second name did not make that player active"

row "$desktop" "$view" "$shown" "$mode" "passed"
if [[ -n ${DESKTOP_SHOTS:-} ]]; then
    name="$size@$scale-$wm"
    cp "$work/home.png" "$DESKTOP_SHOTS/$name-home.png"
    cp "$work/score.png" "$DESKTOP_SHOTS/$name-score.png"
fi
passed=1
