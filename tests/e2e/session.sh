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
    # The recent-file list goes to a scratch settings folder, never the user's own.
    export XDG_CONFIG_HOME=$work/config
    # No sound server: the game is silent, and no client library starts a daemon of its own.
    export PULSE_SERVER=unix:$work/no-sound-server
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM

    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-1024x768}x24" -nolisten tcp -noreset 3>"$work/display" \
        2>"$work/xvfb.log" &
    pids+=($!)
    wait_for 10 test -s "$work/display" || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=:$(head -n1 "$work/display")

    [[ ${E2E_WM:-openbox} == none ]] && return 0
    openbox --sm-disable --config-file /etc/xdg/openbox/rc.xml >"$work/openbox.log" 2>&1 &
    pids+=($!)
    wm_ready() { timeout 5 xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
    wait_for 10 wm_ready || { echo "openbox did not start" >&2; return 1; }
}
