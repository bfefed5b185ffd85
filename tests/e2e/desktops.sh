#!/usr/bin/env bash
# The game on the desktops players have, each from its Debian package, headless. Two tables:
#
# Screens: Xvfb with openbox (or no window manager) at many screen sizes and scale factors. On
# each the view plays where a mode can (no refusal), the Home page and its footer lie inside the
# window at the size and scale the game chose, and a click on a name makes that player active.
#
# Desktops: window managers and compositors, some changing under the game. On each the window
# is maximised, the Home page lies whole inside it with no refusal, and a game is played and
# scored (where input can be sent) while the desktop does what it does to players: a panel
# comes or restarts, a bar hides and shows, full screen and back.
#   desktops.sh            every desktop
#   desktops.sh --quick    the few that CI runs
#   BUILD_DIR              the build holding the program (default: build/ at the project root)
#   DESKTOP_SHOTS=DIR      keep each desktop's screenshots in DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}

if [[ ${1:-} != --* || ${1:-} == --quick ]]; then
    if [[ ${1:-} == --quick ]]; then
        "$root/scripts/setup.sh" --e2e
    else
        "$root/scripts/setup.sh" --e2e --desktops
    fi
    if [[ ! -x "$build/globule" ]]; then
        BUILD_DIR=$build "$root/scripts/build.sh"
    fi
    probe_dir=$(mktemp -d /tmp/globule-probe.XXXXXX)
    trap 'rm -rf "$probe_dir"' EXIT
    g++ -std=c++20 -O2 -Wall -Wextra -Werror -I"$root" -o "$probe_dir/placement_probe" \
        "$root/tests/e2e/placement_probe.cpp" "$root/render/ViewPlacement.cpp" \
        "$root/render/DisplayMode.cpp"
    export PLACEMENT_PROBE=$probe_dir/placement_probe

    screens=() desktops=()
    if [[ ${1:-} == --quick ]]; then
        screens=("1024x768 1 openbox" "1920x1080 1.5 openbox" "1366x768 1 none")
        desktops=("x11:xfwm4 none" "x11:openbox panel-after" "sway:1.5:xwayland none"
            "weston-with-game 3" "weston 5")
    else
        for size in 1024x768 1152x864 1280x1024 1366x768 1600x1200 1920x1080 2560x1440 3840x2160; do
            for scale in 1 1.25 1.5 2; do
                # Where the desktop's own size at that scale is still a screen's.
                if awk -v s="$size" -v f="$scale" \
                    'BEGIN {split(s, a, "x"); exit !(a[1] / f >= 800 && a[2] / f >= 500)}' ||
                    [[ $scale == 1 ]]; then
                    screens+=("$size $scale openbox")
                fi
            done
        done
        screens+=("1920x1080 1.75 openbox" "1024x768 1 none" "1920x1080 1 none")
        desktops=(
            "x11:xfwm4 none" "x11:openbox none" "x11:fluxbox none" "x11:icewm none"
            "x11:none none"
            "x11:openbox panel-after" "x11:fluxbox panel-after" "x11:icewm panel-after"
            "x11:xfwm4 panel-after" "x11:openbox panel-restart" "x11:xfwm4 panel-restart"
            "x11:openbox fullscreen" "x11:xfwm4 fullscreen" "x11:openbox minimise"
            "sway:1:native bar" "sway:1.5:native bar" "sway:2:native bar"
            "sway:1:xwayland bar" "sway:1.5:xwayland bar" "sway:2:xwayland refused"
            "sway:2:xwayland:2560x1440 bar"
            "sway:1:native:1920x1080:2 other-monitor" "sway:1:xwayland:1920x1080:1.5 other-monitor"
            "kwin:1 none" "kwin:1.5 none" "kwin:2 none" "mutter none"
            "weston-with-game 10" "weston 10")
    fi

    failed=0
    echo "| screen | scale | desktop | view (its own pixels) | shown at | mode | result |"
    echo "|---|---|---|---|---|---|---|"
    for c in "${screens[@]}"; do
        "$0" --screen $c || failed=1
    done
    echo
    echo "| desktop | scale | window | view shown | during the game | result |"
    echo "|---|---|---|---|---|---|"
    for c in "${desktops[@]}"; do
        case $c in
        weston*) "$0" --$c || failed=1 ;;
        *) "$0" --desktop $c || failed=1 ;;
        esac
    done
    exit $failed
fi

# ---- One case ---------------------------------------------------------------------------------

case_kind=$1
shift
program=$build/globule
source "$root/tests/e2e/session.sh"
source "$root/tests/e2e/desktop_kinds.sh"
keep_shots() { # NAME FILE...
    [[ -n ${DESKTOP_SHOTS:-} ]] || return 0
    local name=$1 file
    shift
    for file in "$@"; do
        [[ -f $file ]] && cp "$file" "$DESKTOP_SHOTS/$name-$(basename "$file")"
    done
    return 0
}

# ---- A desktop: maximised, Home whole, a game played and scored through a twist -------------

if [[ $case_kind == --desktop ]]; then
    IFS=: read -r kind arg1 arg2 arg3 arg4 <<<"$1"
    twist_name=$2
    label=$kind scale=1
    case $kind in
    x11)
        export E2E_WM=$arg1 E2E_SCREEN=${arg2:-1280x1024}
        label="X11, $([[ $arg1 == none ]] && echo "no window manager" || echo "$arg1")"
        start_session || { echo "| $label | - | - | - | - | FAILED: no X session |"; exit 1; }
        x11_bindings
        [[ $twist_name == panel-restart ]] && start_panel
        ;;
    sway)
        scale=$arg1
        label="sway, $([[ $arg2 == native ]] && echo "Wayland" || echo "Xwayland")${arg3:+, $arg3}"
        [[ -n $arg4 ]] && label="$label and a second monitor at $arg4" scale="$arg1 then $arg4"
        start_sway "$arg1" "$arg2" "${arg3:-1920x1080}" "$arg4" ||
            { echo "| $label | $scale | - | - | - | FAILED: sway did not start |"; exit 1; }
        ;;
    kwin)
        scale=$arg1 label="KWin virtual, Xwayland"
        start_kwin "$arg1" || { echo "| $label | $scale | - | - | - | FAILED: KWin did not start |"; exit 1; }
        ;;
    mutter)
        label="mutter headless, Xwayland"
        start_mutter || { echo "| $label | 1 | - | - | - | FAILED: mutter did not start |"; exit 1; }
        ;;
    esac
    window_shown=- view_shown=-
    fail() {
        echo "| $label | $scale | $window_shown | $view_shown | $twist_name | FAILED: $* |"
        keep_shots "$kind-$arg1-$arg2-$twist_name" "$work"/*.png
        exit 1
    }

    cd "$work"
    run_game "$program"
    wait_for 20 find_game_window || fail "no window"

    # What the window shows now, cropped to the window: $work/view.png, and "W H X Y" of the
    # pixels of `colour` there in $box. Succeeds when that colour fills the window across or
    # down, the view being scaled to fit.
    view_box() {
        local colour=$1 name=$2
        kill -0 "$game" 2>/dev/null || fail "the program ended"
        shoot "$work/shot.png" 2>/dev/null || return 1
        crop_window "$work/shot.png" "$work/$name.png" 2>/dev/null || return 1
        read -r win_x win_y win_w win_h < <(window_box)
        box=$(colour_box "$work/$name.png" "$colour")
        [[ -n $box ]] || return 1
        read -r vw vh vx vy <<<"$box"
        local menu
        menu=$(awk -v s="$(desktop_scale)" 'BEGIN {printf "%d", 40 * s + 4}')
        ((vw >= win_w - 4 || vh >= win_h - menu))
    }
    refused() {
        local red
        red=$(colour_count "$work/$1.png" "$REFUSAL_RED")
        ((red * 10 > win_w * win_h * 3))
    }
    settled_home() {
        view_box "$PEACH" home || return 1
        local first=$box
        sleep 0.3
        view_box "$PEACH" home && [[ $box == "$first" ]]
    }
    # The window manager may still be maximising the window: the Home page counts once it has
    # stopped moving, but no longer than the game would have taken to lay itself out.
    if [[ $twist_name == refused ]]; then
        # Too small even at the smallest scale: the message, as the rules give it.
        refusal_up() { view_box "$REFUSAL_RED" home && refused home; }
        wait_for 20 refusal_up || fail "no refusal"
        echo "| $label | $scale | ${win_w}x${win_h} | - | - | passed: refused, as the rules say |"
        keep_shots "$kind-$arg1-$arg2-$twist_name" "$work/home.png"
        passed=1
        exit 0
    fi
    if ! wait_for 20 settled_home; then
        [[ -f $work/home.png ]] && refused home && fail "refused"
        fail "no Home page filling the window"
    fi
    window_shown="${win_w}x${win_h}"
    view_shown="${vw}x${vh}"
    refused home && fail "refused"
    is_maximised || fail "not maximised"
    footer_h=$((vh / 8))
    footer=$(FUZZ=30% colour_count "$work/home.png" "$REFUSAL_RED" "$vw" "$footer_h" "$vx" \
        $((vy + vh - footer_h)))
    ((footer > 100)) || fail "no footer at the bottom of the Home page"

    send_key space || fail "key"
    wait_for 10 view_box "$PALE_GREEN" score || fail "Space did not show the Score screen"
    send_key space || fail "key"
    sleep 1.5 # the game's first tick comes at 50 ms
    result=$(twist "$twist_name") || fail "$result"
    captions() { (($(FUZZ=3% colour_count "$work/$1.png" "$CAPTION_CYAN") > 1000)); }
    hint() { (($(FUZZ=3% colour_count "$work/$1.png" "$SAVE_HINT_GREEN") > 500)); }
    if [[ $twist_name == minimise ]]; then
        # Shown again after it was hidden, the window is repainted: the game in progress is
        # dropped, uncounted, for the Score screen with a new blob; then a game goes on.
        score_again() { view_box "$PALE_GREEN" dropped && captions dropped; }
        wait_for 10 score_again || fail "no Score screen after the window came back"
        hint dropped && fail "the dropped game was counted"
        send_key space || fail "key"
        sleep 1.5
    fi
    playing() { view_box "$PALE_GREEN" play && ! refused play && ! captions play; }
    wait_for 10 playing || fail "no game on the screen after the $twist_name"
    send_key space || fail "key"
    scored() { view_box "$PALE_GREEN" scored && hint scored; }
    wait_for 10 scored || fail "the game was not scored"
    case $twist_name in
    none) played="game scored" ;;
    minimise) played="minimised and restored: game dropped, the next scored" ;;
    *) played="$twist_name, game scored" ;;
    esac
    echo "| $label | $scale | $window_shown | $view_shown | $twist_name | passed: $played |"
    # The last whole screenshot shows the desktop around the scored game.
    mv "$work/shot.png" "$work/desktop.png"
    keep_shots "$kind-$arg1-$arg2-$twist_name" "$work/home.png" "$work/scored.png" \
        "$work/desktop.png" "$work/fullscreen.png"
    passed=1
    exit 0
fi

# ---- Wayland: weston's headless compositor --------------------------------------------------
# --weston N: N starts of the game, each once the desktop is up.
# --weston-with-game N: N times weston and the game started in the same instant, as a
# player's autostart or a slow login meets them.

if [[ $case_kind == --weston || $case_kind == --weston-with-game ]]; then
    starts=$1
    mkdir -m 700 "$work/runtime"
    export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config
    export PULSE_SERVER=unix:$work/no-sound-server
    unset DISPLAY
    export WAYLAND_DISPLAY=globule-wl QT_QPA_PLATFORM=wayland
    start_weston() {
        weston --backend=headless-backend.so --use-pixman --width=1280 --height=1024 \
            --socket=globule-wl --debug --shell=desktop-shell.so >"$work/weston.log" 2>&1 &
        weston=$!
        pids+=("$weston")
    }
    stop_weston() {
        kill "$weston" 2>/dev/null || true
        wait "$weston" 2>/dev/null || true
    }
    screenshot() {
        (cd "$work" && rm -f wayland-screenshot*.png &&
            timeout 10 weston-screenshooter >/dev/null 2>&1 &&
            mv wayland-screenshot*.png "$1") 2>/dev/null
    }
    # The desktop is up once its background is drawn below a dark panel.
    mean() {
        /usr/bin/convert "$work/desktop.png" -crop "$1" +repage -format '%[fx:mean]' info:
    }
    panel_up() {
        screenshot "$work/desktop.png" || return 1
        awk -v top="$(mean 1280x16+0+0)" -v middle="$(mean 1280x100+0+500)" \
            'BEGIN {exit !(top < 0.3 && middle > 0.1)}'
    }
    label="weston, Wayland, panel up first"
    if [[ $case_kind == --weston ]]; then
        start_weston
        wait_for 20 panel_up || {
            echo "| $label | 1 | - | - | - | FAILED: no desktop |"
            exit 1
        }
    else
        label="weston, Wayland, started with the game"
    fi
    good=0 whole=0
    for ((n = 1; n <= starts; n++)); do
        if [[ $case_kind == --weston-with-game ]]; then
            # As soon as the compositor takes clients, before its shell has put up its panel.
            start_weston
            wait_for 10 test -S "$XDG_RUNTIME_DIR/globule-wl" || true
        fi
        "$program" >"$work/globule-$n.log" 2>&1 &
        game=$!
        pids+=("$game")
        home() {
            kill -0 "$game" 2>/dev/null || return 2
            screenshot "$work/start-$n.png" || return 1
            [[ -n $(colour_box "$work/start-$n.png" "$PEACH") ]]
        }
        # The panel is translucent: over the game's own light title bar it is darker than
        # half, and darker still over the desktop.
        panel_over_game() {
            screenshot "$work/start-$n.png" || return 1
            cp "$work/start-$n.png" "$work/desktop.png"
            awk -v top="$(mean 1280x16+0+0)" 'BEGIN {exit !(top < 0.5)}'
        }
        result="FAILED: no Home page"
        if wait_for 20 home; then
            # With the panel up, whenever it came; the game may still be laying itself out
            # while the panel takes its place: a second look.
            result="FAILED: no panel came"
            wait_for 20 panel_over_game && sleep 1 && result=look
        fi
        if [[ $result == look ]]; then
            screenshot "$work/start-$n.png"
            box=$(colour_box "$work/start-$n.png" "$PEACH")
            read -r pw ph px py <<<"${box:-0 0 0 0}"
            red=$(colour_count "$work/start-$n.png" "$REFUSAL_RED")
            footer_h=$((ph / 8))
            footer=$(FUZZ=30% colour_count "$work/start-$n.png" "$REFUSAL_RED" "$pw" "$footer_h" \
                "$px" $((py + ph - footer_h)))
            # Below the panel, the Home page whole on the screen; or, where weston left the
            # window at the size it had before its panel came, across the window and down to
            # the screen's bottom with its footer below it.
            if ((red < 50000 && py >= 16 && py + ph >= 1000 && (footer > 100 || pw >= 1260))); then
                result="passed"
                good=$((good + 1))
                ((footer > 100)) && whole=$((whole + 1))
            else
                result="FAILED: view ${pw}x${ph} at ($px,$py), $red refusal-red pixels"
            fi
        fi
        kill "$game" 2>/dev/null || true
        wait "$game" 2>/dev/null || true
        [[ $case_kind == --weston-with-game ]] && stop_weston
        [[ $result == passed ]] || echo "start $n: $result" >&2
    done
    result="no refusal, the Home page whole in its window, in $good of $starts starts"
    if ((whole < good)); then
        # weston's shell places a window it maximised before its panel came below the panel
        # and leaves its size: the window's bottom is off the screen, where no client sees it.
        result="$result; its footer below the screen in $((good - whole)) (weston kept the window's size)"
    fi
    ((good == starts)) || result="FAILED: $result"
    keep_shots "weston-$case_kind" "$work/start-$starts.png"
    echo "| $label | 1 | 1280x1024 screen | ${pw:-?}x${ph:-?} | - | $result |"
    ((good == starts)) && passed=1
    exit $((good == starts ? 0 : 1))
fi

# ---- A screen: Xvfb with openbox or no window manager, at a size and scale ------------------

size=$1 scale=$2 wm=$3
export E2E_SCREEN=$size E2E_WM=$wm
row() { echo "| $size | $scale | $1 | $2 | $3 | $4 | $5 |"; }
fail() {
    row "$desktop" "${view:--}" "${shown:--}" "${mode:--}" "FAILED: $*"
    exit 1
}
desktop=$([[ $wm == none ]] && echo "X11, no window manager" || echo "X11, openbox")
start_session || fail "no X session"
[[ $scale != 1 ]] && export QT_SCALE_FACTOR=$scale
x11_bindings
cd "$work"
run_game "$program"
wait_for 20 find_game_window || fail "no window"
home_box=""
last=""
home_drawn() {
    shoot "$work/home.png" || return 1
    home_box=$(colour_box "$work/home.png" "$PEACH")
    [[ -n $home_box && $(window_box) == "$last" ]]
}
settled() {
    local now
    now=$(window_box)
    [[ $now == "$last" ]] && home_drawn && return 0
    last=$now
    return 1
}
wait_for 20 settled || fail "no Home page (refused or still moving)"
read -r cx cy cw ch <<<"$last"
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
send_key space
score_drawn() {
    shoot "$work/score.png" || return 1
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
    shoot "$work/clicked.png" || return 1
    [[ $(colour_count "$work/clicked.png" "$PALE_PINK" 1 1 "$click_x" "$average_y") == 1 ]]
}
wait_for 5 active || fail "a click on the second name did not make that player active"

row "$desktop" "$view" "$shown" "$mode" "passed"
keep_shots "$size@$scale-$wm" "$work/home.png" "$work/score.png"
passed=1
