#!/usr/bin/env bash
# The sound cues of games played in the real window (Xvfb and openbox, keys by xdotool),
# recorded from the null sink of a private sound server: PulseAudio, and PipeWire with
# pipewire-pulse and wireplumber, the sound server of most current desktops. At Fastest, a game
# stopped at its first position (the first sound of the run), one left to time out, and one
# stopped again. Every cue must be heard in order and at its time, nothing may sit at full
# scale, and nothing is heard between cues. Prints each cue and the delay from each stopping key
# to the stop cue's first sample.
#   SERVERS      the servers to play through (default: "pulseaudio pipewire")
#   BUILD_DIR    the build holding the program (default: build/ at the project root; built
#                when the program is missing)
#   E2E_KEEP=1   keep the scratch folder (recordings, logs) after a pass too
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
servers=${SERVERS:-pulseaudio pipewire}
"$root/scripts/setup.sh" --e2e
if [[ ! -x "$build/globule" ]]; then
    BUILD_DIR=$build "$root/scripts/build.sh"
fi
source "$root/tests/e2e/session.sh"

fail() {
    echo "sound FAILED: $*" >&2
    [[ -f $work/globule.log ]] && sed 's/^/  globule: /' "$work/globule.log" >&2
    exit 1
}
step() { echo "sound: $*"; }

g++ -std=c++20 -O2 -Wall -Wextra -Werror -o "$work/sound_probe" "$root/tests/e2e/sound_probe.cpp"
start_session || fail "no X session"

# A new match at Fastest (990 ms between moves): the fixed part with the speed fields at 152,
# the names, then the speed's label.
match=$work/fastest.gbl
new_match=$root/tests/fuzz/seeds/new_match.bin
{
    head -c 152 "$new_match"
    printf '\x00\x00\x00\x00\xde\x03\x00\x00'
    head -c -15 "$new_match" | tail -c +161
    printf '\x0fSpeed: Fastest '
} >"$match"
move_ms=990

# Stops one helper of $pids by its PID.
stop_pid() {
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

# ---- The sound servers --------------------------------------------------------------------

# Each server gets a folder of its own; on return PULSE_SERVER names it, and its null sink
# "rec" is the default.
start_pulseaudio() {
    local dir=$work/pulseaudio
    mkdir -m 700 "$dir"
    env -u DISPLAY HOME="$dir" XDG_RUNTIME_DIR="$dir" XDG_CONFIG_HOME="$dir" \
        pulseaudio --daemonize=no --system=false -n --use-pid-file=no --exit-idle-time=-1 \
        --load="module-null-sink sink_name=rec rate=44100 channels=2" \
        --load="module-native-protocol-unix socket=$dir/pulse.sock auth-anonymous=1" \
        >"$dir/server.log" 2>&1 &
    server_pids=($!)
    export PULSE_SERVER=unix:$dir/pulse.sock
    wait_for 10 pactl info >/dev/null 2>&1 || fail "PulseAudio did not start"
}

start_pipewire() {
    local dir=$work/pipewire
    mkdir -m 700 "$dir"
    # wireplumber and pipewire-pulse find the server and each other on a session bus.
    local bus
    bus=$(env -u DISPLAY dbus-launch --sh-syntax) || fail "dbus-launch"
    local address bus_pid
    address=$(sed -n "s/^DBUS_SESSION_BUS_ADDRESS='\(.*\)';$/\1/p" <<<"$bus")
    bus_pid=$(sed -n 's/^DBUS_SESSION_BUS_PID=\([0-9]*\);$/\1/p' <<<"$bus")
    [[ -n $address && -n $bus_pid ]] || fail "no session bus: $bus"
    server_pids=("$bus_pid")
    local environment=(env -u DISPLAY HOME="$dir" XDG_RUNTIME_DIR="$dir" XDG_CONFIG_HOME="$dir"
        XDG_STATE_HOME="$dir" DBUS_SESSION_BUS_ADDRESS="$address")
    "${environment[@]}" pipewire >"$dir/pipewire.log" 2>&1 &
    server_pids+=($!)
    wait_for 10 test -S "$dir/pipewire-0" || fail "pipewire did not start"
    "${environment[@]}" wireplumber >"$dir/wireplumber.log" 2>&1 &
    server_pids+=($!)
    "${environment[@]}" pipewire-pulse >"$dir/pipewire-pulse.log" 2>&1 &
    server_pids+=($!)
    export PULSE_SERVER=unix:$dir/pulse/native
    wait_for 10 pactl info >/dev/null 2>&1 || fail "pipewire-pulse did not start"
    pactl info | grep -q 'PipeWire' || fail "not PipeWire: $(pactl info | grep 'Server Name')"
    pactl load-module module-null-sink sink_name=rec rate=44100 channels=2 \
        >/dev/null || fail "no null sink"
    pactl set-default-sink rec
    sink_default() { [[ $(pactl get-default-sink) == rec ]]; }
    wait_for 10 sink_default || fail "the null sink is not the default"
}

# ---- One run of the game through the current server ---------------------------------------

press() {
    alive || fail "the program ended unexpectedly"
    timeout 10 xdotool key --clearmodifiers "$@" || fail "xdotool key $*"
}
shows() { # colour x y
    alive || fail "the program ended unexpectedly"
    shot screen || return 1
    [[ $(pixel screen "$2" "$3") == "$1" ]]
}
score_shown() { shows '#DCFFDC' 5 440; }

# Plays the three games; sets $stop_keys to the wall-clock times of the keys that stopped a game.
play_games() {
    start_game "$build/globule" "$match"
    wait_for 20 shows '#FFC8A0' 1000 440 || fail "no Home page"
    press space
    wait_for 10 score_shown || fail "Space did not show the Score screen"

    stop_keys=()
    # The game's first position shows 50 ms after its start; the next move comes after 990 ms.
    press space
    sleep 0.3
    stop_keys+=("$EPOCHREALTIME")
    press space
    sleep 2 # the stop cue lasts 1.25 s; then the game is idle
    wait_for 10 score_shown || fail "the first game did not end on the Score screen"

    press space
    sleep 13 # eleven positions, 990 ms apart, then the time-out cue of 1.3 s
    wait_for 10 score_shown || fail "the second game did not time out to the Score screen"

    press space
    sleep 0.3
    stop_keys+=("$EPOCHREALTIME")
    press space
    sleep 2
    wait_for 10 score_shown || fail "the third game did not end on the Score screen"
    stop_pid "$game"
}

# Records the server's null sink while the games are played, then checks what it heard.
check_server() {
    local name=$1
    local out=$work/$name
    "start_$name"
    mkfifo "$out/stream"
    "$work/sound_probe" record "$out/rec.raw" "$out/rec.times" <"$out/stream" &
    local probe=$!
    parec -d rec.monitor --format=s16le --rate=44100 --channels=2 --raw --latency-msec=10 \
        >"$out/stream" 2>"$out/parec.log" &
    local recorder=$!
    pids+=("$probe" "$recorder" "${server_pids[@]}")
    # An idle null sink may render in blocks at first: wait until it records in real time.
    recording() { [[ -s $out/rec.times ]] && (($(wc -l <"$out/rec.times") > 20)); }
    wait_for 15 recording || fail "$name: the null sink does not record"

    play_games
    stop_pid "$recorder"
    wait "$probe" || fail "$name: the recorder failed"
    local i
    for ((i = ${#server_pids[@]} - 1; i >= 0; i--)); do stop_pid "${server_pids[i]}"; done
    unset PULSE_SERVER

    "$work/sound_probe" cues "$out/rec.raw" "$out/rec.times" "${stop_keys[@]}" >"$out/cues.txt"
    sed "s/^/  $name: /" "$out/cues.txt"
    judge "$name" "$out/cues.txt"
}

# The cues expected: stop; nine ticks and the double tick's two, 990 ms apart, then the
# time-out 990 ms after the double tick; stop. Starts within a tolerance of the timers.
judge() {
    local name=$1 cues=$2
    local full
    full=$(awk '$1 == "full-scale" {print $2}' "$cues")
    ((full == 0)) || fail "$name: $full samples at full scale"
    awk -v move="$move_ms" -v name="$name" '
        $1 == "cue" { start[++n] = $2 * 1000; peak[n] = $4 }
        $1 == "key" { delay[$2] = $3 }
        function bad(what) { printf "%s: %s\n", name, what > "/dev/stderr"; failed = 1 }
        function near(got, want) { return got > want - 40 && got < want + 40 }
        END {
            if (n != 14) { bad(n " cues heard, not 14 (stop, 9 ticks, double tick, time-out, stop)"); exit 1 }
            for (i = 3; i <= 10; i++)
                if (!near(start[i] - start[i - 1], move)) bad("tick " i - 1 " came " start[i] - start[i - 1] " ms after the one before")
            if (!near(start[11] - start[10], move)) bad("the double tick came " start[11] - start[10] " ms after the last tick")
            if (!near(start[12] - start[11], 200)) bad("the double tick'"'"'s second tick came " start[12] - start[11] " ms after its first")
            if (!near(start[13] - start[11], move)) bad("the time-out came " start[13] - start[11] " ms after the double tick")
            for (k = 1; k <= 2; k++)
                if (delay[k] < 0 || delay[k] > 200) bad("stop cue " k " came " delay[k] " ms after its key")
            exit failed
        }' "$cues" || fail "$name: the cues are not as played"
    step "$name: every cue heard at its time, none at full scale; stop cue $(awk '$1 == "key" && $2 == 1 {print $3}' "$cues") ms" \
        "after its key the first time, $(awk '$1 == "key" && $2 == 2 {print $3}' "$cues") ms later"
}

for server in $servers; do
    check_server "$server"
done
passed=1
echo "sound: PASSED"
