# Shared by the desktop checks (source it after session.sh): the desktops players have, each
# started headless from its Debian package, and what a check needs of each one. After
# start_desktop KIND ARGS, these work the same on every desktop:
#   run_game PROGRAM      starts the game on the desktop; sets $game
#   find_game_window      succeeds once the game's window is up
#   send_key KEY          an xdotool key name: space, F11
#   shoot FILE            a PNG in which window_box's coordinates hold
#   window_box            "X Y W H" of the game window's client area in that PNG
#   is_maximised          the desktop says the window is maximised and it fills the work area
#   desktop_scale         the desktop's scale (device pixels per unit of its own)
# and twist NAME does to the desktop what players' desktops do during a game: a panel comes,
# a panel restarts, a bar hides and shows, full screen and back, minimised and restored, a move
# to another monitor.

# ---- Pictures -------------------------------------------------------------------------------

# The bounding box "W H X Y" of the pixels of one colour (within FUZZ) in a screenshot, or nothing.
colour_box() {
    # The black border makes black the colour that trimming takes away.
    /usr/bin/convert "$1" -alpha off -fuzz "${FUZZ:-0%}" -fill black +opaque "$2" -fill white \
        -opaque "$2" -bordercolor black -border 1 -format '%@' info: 2>/dev/null |
        awk -F'[x+]' '$1 > 1 {print $1, $2, $3 - 1, $4 - 1}'
}
# How many pixels of one colour (within FUZZ, 0% unless given) a region "W H X Y" (or the
# whole shot) holds.
colour_count() {
    local crop=()
    [[ -n ${3:-} ]] && crop=(-crop "$3x$4+$5+$6" +repage)
    /usr/bin/convert "$1" "${crop[@]}" -precision 16 -alpha off -fuzz "${FUZZ:-0%}" -fill white -opaque "$2" \
        -fill black +opaque white -format '%[fx:round(mean * w * h)]' info:
}
# The part of a shot that the game's window covers, as a PNG of its own.
crop_window() {
    local x y w h
    read -r x y w h < <(window_box) || return 1
    /usr/bin/convert "$1" -crop "${w}x${h}+${x}+${y}" +repage "$2"
}

REFUSAL_RED='#FF0000'
PALE_PINK='#FFF0F0'
PALE_GREEN='#DCFFDC'
SAVE_HINT_GREEN='#008040'
CAPTION_CYAN='#00FFFF'

# ---- X11: Xvfb and a window manager (session.sh) ------------------------------------------

x11_bindings() {
    run_game() {
        "$@" >"$work/globule.log" 2>&1 &
        game=$!
        pids+=("$game")
    }
    find_game_window() {
        kill -0 "$game" 2>/dev/null || return 2
        window=$(timeout 5 xdotool search --onlyvisible --pid "$game" 2>/dev/null | head -n1)
        [[ -n $window ]]
    }
    send_key() { timeout 10 xdotool key --window "$window" --clearmodifiers "$1" 2>/dev/null; }
    shoot() { timeout 10 import -window root "$1"; }
    window_box() {
        timeout 5 xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$NF}
            /Absolute upper-left Y/ {y=$NF} /Width:/ {w=$NF} /Height:/ {h=$NF}
            END {print x, y, w, h}'
    }
    is_maximised() {
        local state area
        state=$(timeout 5 xprop -id "$window" _NET_WM_STATE 2>/dev/null)
        if [[ ${E2E_WM:-openbox} != none ]]; then
            [[ $state == *MAXIMIZED_VERT* && $state == *MAXIMIZED_HORZ* ]] || return 1
        fi
        # The window really fills the work area (xfwm4 once said maximised of a 200x100 one),
        # give or take the caption and the borders.
        area=$(timeout 5 xprop -root _NET_WORKAREA 2>/dev/null | awk -F'[=,]' '{print $4, $5}')
        [[ -n $area ]] || area=$(timeout 5 xwininfo -root | awk '/Width:/ {w=$NF}
            /Height:/ {h=$NF} END {print w, h}')
        local aw ah x y w h
        read -r aw ah <<<"$area"
        read -r x y w h < <(window_box)
        ((w >= aw - 12 && h >= ah - 60))
    }
    desktop_scale() { echo "${QT_SCALE_FACTOR:-1}"; }
}

# ---- Wayland: sway, as an unprivileged user (it refuses root) -------------------------------

sway_user=globule-e2e
# A command line's start that runs the rest as the sway user with only the environment given;
# it execs, so a program started in the background keeps its PID.
as_user=(setpriv --reuid="$sway_user" --regid="$sway_user" --init-groups env -i PATH="$PATH"
    HOME="$work/user" XDG_RUNTIME_DIR="$work/user/runtime")
as_user() { "${as_user[@]}" "$@"; }

# start_sway SCALE native|xwayland [OUTPUT [SECOND_SCALE]]: with a second scale, a second monitor
# of the same size at that scale, to the right of the first.
start_sway() {
    sway_client=$2
    local scale=$1 output=${3:-1920x1080} second=${4:-}
    id -u "$sway_user" >/dev/null 2>&1 || useradd --system --no-create-home "$sway_user"
    chmod 755 "$work"
    mkdir -p "$work/user/runtime" "$work/user/shots"
    chmod 700 "$work/user/runtime"
    chown -R "$sway_user" "$work/user"
    {
        echo "output HEADLESS-1 resolution $output position 0 0 scale $scale"
        if [[ -n $second ]]; then
            local right
            right=$(awk -v w="${output%x*}" -v s="$scale" 'BEGIN {printf "%d", w / s}')
            echo "output HEADLESS-2 resolution $output position $right 0 scale $second"
        fi
        echo "focus output HEADLESS-1"
        echo "xwayland enable"
        printf 'bar {\n    position top\n}\n'
        echo "exec echo \$DISPLAY >$work/user/xdisplay"
    } >"$work/user/config"
    "${as_user[@]}" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        WLR_HEADLESS_OUTPUTS="$([[ -n $second ]] && echo 2 || echo 1)" \
        sway -c "$work/user/config" >"$work/sway.log" 2>&1 &
    pids+=($!)
    sway_up() {
        [[ -s $work/user/xdisplay ]] && compgen -G "$work/user/runtime/sway-ipc.*" >/dev/null &&
            compgen -G "$work/user/runtime/wayland-?" >/dev/null
    }
    wait_for 20 sway_up || return 1
    sway_socket=$(compgen -G "$work/user/runtime/sway-ipc.*" | head -n1)
    sway_wayland=$(basename "$(compgen -G "$work/user/runtime/wayland-?" | head -n1)")
    sway_display=$(cat "$work/user/xdisplay")
    swaymsg_() { as_user SWAYSOCK="$sway_socket" swaymsg "$@"; }
    game_node() { swaymsg_ -t get_tree | jq -c "[.. | objects | select(.pid? == $game)][0]"; }
    # The monitor the game's window is on: its name, scale and rectangle.
    game_output() {
        swaymsg_ -t get_tree | jq -c --argjson pid "$game" '.nodes[]
            | select([.. | objects | select(.pid? == $pid)] | length > 0)
            | {name, rect, scale: (.scale // 1)}'
    }

    run_game() {
        mkdir -p "$work/bin"
        cp "$1" "$(dirname "$1")/libglobule_sound.so" "$work/bin/"
        shift
        local client=(QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="$sway_wayland")
        [[ $sway_client == xwayland ]] && client=(QT_QPA_PLATFORM=xcb DISPLAY="$sway_display")
        "${as_user[@]}" XDG_CONFIG_HOME="$work/user/config-home" "${client[@]}" "$work/bin/globule" "$@" \
            >"$work/globule.log" 2>&1 &
        game=$!
        pids+=("$game")
    }
    find_game_window() {
        kill -0 "$game" 2>/dev/null || return 2
        [[ $(game_node) != null ]]
    }
    send_key() {
        if [[ $sway_client == xwayland ]]; then
            # Xwayland lets in the clients of the user who runs it.
            local id
            id=$(as_user DISPLAY="$sway_display" timeout 5 xdotool search --onlyvisible \
                --pid "$game" | head -n1)
            as_user DISPLAY="$sway_display" timeout 10 xdotool key --window "$id" "$1"
        else
            # Without the pauses the compositor loses keys.
            as_user WAYLAND_DISPLAY="$sway_wayland" wtype -s 300 -k "$1" -s 300
        fi
    }
    # The monitor the window is on, at that monitor's scale.
    shoot() {
        local name
        name=$(game_output | jq -r .name)
        as_user WAYLAND_DISPLAY="$sway_wayland" grim -o "$name" "$work/user/shots/shot.png" &&
            cp "$work/user/shots/shot.png" "$1"
    }
    window_box() {
        jq -rn --argjson node "$(game_node)" --argjson out "$(game_output)" '[
            $node.rect.x + $node.window_rect.x - $out.rect.x,
            $node.rect.y + $node.window_rect.y - $out.rect.y,
            $node.window_rect.width, $node.window_rect.height]
            | map(. * $out.scale | round) | join(" ")'
    }
    is_maximised() {
        # A tiled window alone on its workspace fills it, below its title bar.
        jq -en --argjson node "$(game_node)" --argjson ws "$(swaymsg_ -t get_workspaces |
            jq -c '.[] | select(.visible and .focused) | .rect')" '$node.rect as $r
            | $r.x == $ws.x and $r.width == $ws.width and $r.y + $r.height == $ws.y + $ws.height
            and $r.y - $node.deco_rect.height <= $ws.y' >/dev/null
    }
    desktop_scale() { game_output | jq -r .scale; }
}

# ---- Wayland compositors whose game is driven through Xwayland: KWin, mutter -----------------

# The game as an X11 client of the compositor's Xwayland display $xwayland_display.
xwayland_bindings() {
    run_game() {
        DISPLAY=$xwayland_display QT_QPA_PLATFORM=xcb "$@" >"$work/globule.log" 2>&1 &
        game=$!
        pids+=("$game")
    }
    find_game_window() {
        kill -0 "$game" 2>/dev/null || return 2
        window=$(DISPLAY=$xwayland_display timeout 5 xdotool search --onlyvisible --pid "$game" \
            2>/dev/null | head -n1)
        [[ -n $window ]]
    }
    send_key() { DISPLAY=$xwayland_display timeout 10 xdotool key --window "$window" "$1"; }
    # A rootless Xwayland has no root picture: the window's own.
    shoot() { DISPLAY=$xwayland_display timeout 10 import -window "$window" "$1"; }
    window_box() {
        DISPLAY=$xwayland_display timeout 5 xwininfo -id "$window" |
            awk '/Width:/ {w=$NF} /Height:/ {h=$NF} END {print 0, 0, w, h}'
    }
    is_maximised() {
        local state
        state=$(DISPLAY=$xwayland_display timeout 5 xprop -id "$window" _NET_WM_STATE 2>/dev/null)
        [[ $state == *MAXIMIZED_VERT* && $state == *MAXIMIZED_HORZ* ]]
    }
    desktop_scale() { echo 1; } # the X11 client's own pixels
}

# A private runtime folder, scratch settings, no sound server, and the D-Bus session that KWin
# and mutter want.
compositor_session() {
    mkdir -m 700 "$work/runtime"
    export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config
    export PULSE_SERVER=unix:$work/no-sound-server
    eval "$(dbus-launch --sh-syntax)"
    pids+=("$DBUS_SESSION_BUS_PID")
}

# start_kwin SCALE: KWin's virtual backend at 1920x1080.
start_kwin() {
    compositor_session
    # The packaged binary carries file capabilities that a container refuses; a copy has none.
    cp /usr/bin/kwin_wayland "$work/kwin_wayland"
    # KWin picks its Xwayland display itself; a program it starts reports it.
    printf '#!/bin/sh\necho "$DISPLAY" >%s/xdisplay\nexec sleep 100000\n' "$work" >"$work/report"
    chmod +x "$work/report"
    "$work/kwin_wayland" --virtual --width 1920 --height 1080 --scale "$1" \
        --socket globule-kwin --xwayland "$work/report" >"$work/kwin.log" 2>&1 &
    pids+=($!)
    wait_for 30 test -s "$work/xdisplay" || return 1
    xwayland_display=$(cat "$work/xdisplay")
    xwayland_bindings
}

start_mutter() {
    compositor_session
    mutter --headless --wayland --virtual-monitor 1920x1080 --wayland-display globule-mutter \
        >"$work/mutter.log" 2>&1 &
    pids+=($!)
    mutter_up() { grep -q 'Using public X11 display' "$work/mutter.log"; }
    wait_for 30 mutter_up || return 1
    xwayland_display=$(grep -o 'Using public X11 display :[0-9]*' "$work/mutter.log" |
        awk '{print $NF}' | head -n1)
    XAUTHORITY=$(compgen -G "$XDG_RUNTIME_DIR/.mutter-Xwaylandauth.*" | head -n1)
    export XAUTHORITY
    xwayland_bindings
}

# ---- What happens to a desktop during a game ------------------------------------------------

start_panel() {
    tint2 >>"$work/panel.log" 2>&1 &
    panel=$!
    pids+=("$panel")
}
stop_panel() {
    kill "$panel" 2>/dev/null || true
    wait "$panel" 2>/dev/null || true
}

# Waits until the game's window has another size than "$1" and has kept it for a moment.
window_resized_from() {
    local now
    now=$(window_box)
    [[ $now != "$1" ]] || return 1
    sleep 0.3
    [[ $(window_box) == "$now" ]]
}

# twist NAME: panel-after, panel-restart, bar, fullscreen, minimise, other-monitor, none.
# Fails with a reason.
twist() {
    local before
    before=$(window_box)
    case $1 in
    none) ;;
    panel-after)
        start_panel
        wait_for 10 window_resized_from "$before" || { echo "the panel did not resize the window"; return 1; }
        ;;
    panel-restart)
        stop_panel
        wait_for 10 window_resized_from "$before" || { echo "the window did not grow without the panel"; return 1; }
        before=$(window_box)
        start_panel
        wait_for 10 window_resized_from "$before" || { echo "the window did not shrink for the panel"; return 1; }
        ;;
    minimise)
        hidden() { timeout 5 xprop -id "$window" _NET_WM_STATE | grep -q HIDDEN; }
        timeout 10 xdotool windowminimize "$window"
        wait_for 10 hidden || { echo "the window was not minimised"; return 1; }
        sleep 0.5
        timeout 10 xdotool windowactivate "$window" 2>/dev/null
        wait_for 10 eval '! hidden' || { echo "the window was not restored"; return 1; }
        ;;
    other-monitor)
        local from
        from=$(game_output | jq -r .name)
        swaymsg_ move container to output HEADLESS-2 >/dev/null
        swaymsg_ focus output HEADLESS-2 >/dev/null
        on_other() { [[ $(game_output | jq -r .name) != "$from" ]]; }
        wait_for 10 on_other || { echo "the window did not move to the other monitor"; return 1; }
        sleep 1
        ;;
    bar)
        swaymsg_ bar mode invisible >/dev/null
        wait_for 10 window_resized_from "$before" || { echo "the window did not grow without the bar"; return 1; }
        before=$(window_box)
        swaymsg_ bar mode dock >/dev/null
        wait_for 10 window_resized_from "$before" || { echo "the window did not shrink for the bar"; return 1; }
        ;;
    fullscreen)
        send_key F11
        fullscreen_state() { timeout 5 xprop -id "$window" _NET_WM_STATE | grep -q FULLSCREEN; }
        wait_for 10 fullscreen_state || { echo "F11 did not make the window full screen"; return 1; }
        wait_for 10 window_resized_from "$before" || { echo "full screen did not resize"; return 1; }
        local x y w h sw sh
        read -r x y w h < <(window_box)
        read -r sw sh < <(timeout 5 xwininfo -root | awk '/Width:/ {w=$NF} /Height:/ {h=$NF} END {print w, h}')
        ((x == 0 && y == 0 && w == sw && h == sh)) || { echo "full screen is ${w}x${h}+$x+$y"; return 1; }
        shoot "$work/fullscreen.png"
        before=$(window_box)
        send_key F11
        wait_for 10 window_resized_from "$before" || { echo "F11 again did not resize"; return 1; }
        wait_for 10 is_maximised || { echo "F11 again did not bring back the maximised window"; return 1; }
        ;;
    *)
        echo "no such twist: $1"
        return 1
        ;;
    esac
}
