# Shared by the real-window scripts (source it): a private X session of Xvfb (1024x768 unless
# E2E_SCREEN says otherwise) and openbox (none with E2E_WM=none), in a scratch folder, and
# helpers. Every process started here is stopped by its PID when the script exits.
#   E2E_KEEP=1   keep the scratch folder after a pass too

work=$(mktemp -d /tmp/globule-e2e.XXXXXX)
pids=()
passed=0

cleanup() {
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
    done
    for i in "${pids[@]}"; do
        wait "$i" 2>/dev/null || true
    done
    if ((passed)) && [[ "${E2E_KEEP:-0}" != 1 ]]; then
        rm -rf "$work"
    else
        echo "screenshots and logs kept in $work" >&2
    fi
}
trap cleanup EXIT

# Progress and failure lines, named by the script's $check_name; a failure shows the game's
# output.
step() { echo "$check_name: $*"; }
fail() {
    echo "$check_name FAILED: $*" >&2
    [[ -f $work/globule.log ]] && sed 's/^/  globule: /' "$work/globule.log" >&2
    exit 1
}

# Runs "$@" every 0.1 s until it succeeds; gives up after $1 seconds.
wait_for() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

start_session() {
    mkdir -m 700 "$work/runtime"
    export XDG_RUNTIME_DIR=$work/runtime
    # The recent-file list goes to a scratch settings folder, never the user's own; so do the
    # window managers' own settings (fluxbox and icewm keep theirs under $HOME).
    export XDG_CONFIG_HOME=$work/config
    mkdir -p "$work/home"
    # And the hall of fame to a scratch data folder.
    export XDG_DATA_HOME=$work/data
    # No sound server: the game is silent, and no client library starts a daemon of its own.
    export PULSE_SERVER=unix:$work/no-sound-server
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM

    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-1024x768}x24" -nolisten tcp -noreset 3>"$work/display" \
        2>"$work/xvfb.log" &
    pids+=($!)
    wait_for 10 test -s "$work/display" || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=:$(head -n1 "$work/display")

    local wm=${E2E_WM:-openbox}
    case $wm in
    none) return 0 ;;
    openbox) openbox --sm-disable --config-file /etc/xdg/openbox/rc.xml >"$work/wm.log" 2>&1 & ;;
    xfwm4)
        # Xfce's window manager keeps its settings in a D-Bus service.
        eval "$(dbus-launch --sh-syntax)"
        pids+=("$DBUS_SESSION_BUS_PID")
        xfwm4 --compositor=off --sm-client-disable >"$work/wm.log" 2>&1 &
        ;;
    fluxbox)
        # With no wallpaper setter installed, fluxbox puts an error box over everything.
        mkdir -p "$work/home/.fluxbox"
        echo "background: none" >"$work/home/.fluxbox/overlay"
        HOME=$work/home fluxbox >"$work/wm.log" 2>&1 &
        ;;
    icewm) HOME=$work/home icewm >"$work/wm.log" 2>&1 & ;;
    *)
        echo "no such window manager: $wm" >&2
        return 1
        ;;
    esac
    pids+=($!)
    wm_ready() { timeout 5 xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
    wait_for 10 wm_ready || { echo "$wm did not start" >&2; return 1; }
}

# ---- The game in the session --------------------------------------------------------------

# Starts the program "$@" in a scratch folder of match files, its output in $work/globule.log.
start_game() {
    matches=$work/matches
    mkdir -p "$matches"
    cd "$matches"
    "$@" >"$work/globule.log" 2>&1 &
    game=$!
    pids+=("$game")
}
alive() { kill -0 "$game" 2>/dev/null; }

# The game's main window once the window manager has maximised it: sets $window.
window=""
find_maximised_window() {
    alive || { echo "the program ended at start-up" >&2; exit 1; }
    local id
    for id in $(timeout 5 xdotool search --onlyvisible --pid "$game" 2>/dev/null); do
        if timeout 5 xprop -id "$id" _NET_WM_STATE 2>/dev/null | grep -q MAXIMIZED_VERT; then
            window=$id
            return 0
        fi
    done
    return 1
}
# "X Y WIDTH HEIGHT" of the window's client area.
geometry() {
    timeout 5 xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}
# Qt first lays the window out at 200x100: waits for three equal readings, and sets $last and
# client_x, client_y, client_w, client_h from them.
settle_window() {
    local settled=0 now
    last=""
    for _ in $(seq 100); do
        now=$(geometry)
        if [[ $now == "$last" ]]; then
            settled=$((settled + 1))
        else
            settled=1
            last=$now
        fi
        ((settled >= 3)) && break
        sleep 0.1
    done
    ((settled >= 3)) || return 1
    read -r client_x client_y client_w client_h <<<"$last"
}

shot() { timeout 10 import -window root "$work/$1.png"; }
# The colour of one pixel of a screenshot as #RRGGBB.
pixel() {
    /usr/bin/convert "$work/$1.png" -crop "1x1+$2+$3" +repage -depth 8 txt:- |
        grep -o '#[0-9A-F]\{6\}' | head -n1
}

# The Home page's background.
PEACH='#FFC8A0'
# The view sits below the menu bar: a shot named "home" sets $view_top to the first peach row
# under the client area's top, once the Home page is drawn.
view_top=""
home_painted() {
    shot home
    local row
    row=$(/usr/bin/convert "$work/home.png" -crop "1x80+5+$client_y" +repage -depth 8 txt:- |
        awk -v want="$PEACH" 'index($0, want) {split($1, a, ","); print a[2]; exit}')
    [[ -n $row ]] || return 1
    view_top=$((client_y + ${row%:}))
}
