#!/usr/bin/env bash
# The sound cues of games played in the real window (Xvfb and openbox, keys by xdotool),
# recorded from the null sink of a private sound server: PulseAudio, and PipeWire with
# pipewire-pulse and wireplumber, the sound server of most current desktops. At Fastest, a game
# stopped at its first position (the first sound of the run), one left to time out, and one
# stopped again. Every cue must be heard in order, from its cause (a key, a timer) to its first
# sample within one tick's length; nothing may sit at full scale, and nothing is heard between
# cues. Prints each cue, how late the ticks came after their timers, and the delay from each
# stopping key to the stop cue's first sample. About a minute.
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
check_name=sound
source "$root/tests/e2e/session.sh"

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

# The wall-clock time of a key, taken just before xdotool sends it.
key_at() {
    printf -v "$1" '%s' "$EPOCHREALTIME"
    press space
}

# Plays the three games, keeping the times of their keys. A game stopped above 1000 plays the
# jackpot (6.7 s, during which keys would wait): each stop is given the time for one.
play_games() {
    start_game "$build/globule" "$match"
    wait_for 20 shows '#FFC8A0' 1000 440 || fail "no Home page"
    press space
    wait_for 10 score_shown || fail "Space did not show the Score screen"

    # The first position shows, in silence, 50 ms after the start; the next 990 ms later.
    key_at start1
    sleep 0.3
    key_at stop1
    sleep 8
    score_shown || fail "the first game did not end on the Score screen"

    key_at start2
    sleep 12.5 # eleven positions 990 ms apart, then the time-out cue of 1.3 s
    score_shown || fail "the second game did not time out to the Score screen"

    key_at start3
    sleep 0.3
    key_at stop3
    sleep 8
    score_shown || fail "the third game did not end on the Score screen"
    finished=$EPOCHREALTIME
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

    "$work/sound_probe" cues "$out/rec.raw" "$out/rec.times" >"$out/cues.txt"
    echo "$start1 $stop1 $start2 $start3 $stop3 $finished" >"$out/keys.txt"
    sed "s/^/  $name: /" "$out/cues.txt"
    judge "$name" "$out/cues.txt"
}

# Every cue where the keys and the game's timers put it, from its cause to its first sample at
# most one tick's length (0.2 s) later: the stop cue after its key, the moves' ticks 990 ms apart
# from 50 ms after the start key, the double tick's second tick 0.2 s after its first, the
# time-out on the twelfth tick; after a stop, either nothing or the jackpot's two cues back to
# back. Nothing else heard, nothing at full scale.
judge() {
    local name=$1 cues=$2 report
    report=$(awk -v start1="$start1" -v stop1="$stop1" -v start2="$start2" -v start3="$start3" \
        -v stop3="$stop3" -v finished="$finished" -v move="$move_ms" '
        $1 == "cue" { n++; at[n] = $2; len[n] = $3 }
        $1 == "murmurs" { murmurs = $2 }
        $1 == "full-scale" { full = $2 }
        function bad(what) { print what > "/dev/stderr"; failed = 1 }
        function ms(seconds) { return sprintf("%.0f", seconds * 1000) }
        # Cue i is the one due at `due`, of at least `least` seconds.
        function expect(i, due, least, what) {
            if (i > n) { bad(what " was not heard"); return }
            if (at[i] < due || at[i] > due + 0.2)
                bad(what " came " ms(at[i] - due) " ms after its cause")
            if (len[i] < least) bad(what " lasted " len[i] " s")
        }
        # A game stopped: nothing before its key, then the stop cue, then maybe a jackpot,
        # then nothing until `until`. Returns the next cue.
        function stopped(i, start, stop, until, which,   gap) {
            if (i <= n && at[i] < stop) { bad("a cue before the " which " stop"); return n + 1 }
            expect(i, stop, 0, "the " which " stop cue")
            delays = delays " " ms(at[i] - stop)
            if (i + 1 <= n && at[i + 1] < until) {
                # 104 is heard as two parts, then 101; the stop cue was cut by the first.
                if (i + 3 > n || at[i + 3] >= until) { bad("after the " which " stop, " \
                    "cues that are not the jackpot"); return n + 1 }
                gap = at[i + 3] - (at[i + 2] + len[i + 2])
                if (gap > 0.2) bad("the jackpot'"'"'s second cue came " ms(gap) " ms after its first")
                if (len[i + 3] < 4) bad("the jackpot'"'"'s second cue lasted " len[i + 3] " s")
                jackpots = jackpots " " ms(gap)
                return i + 4
            }
            if (len[i] < 1.15) bad("the " which " stop cue lasted " len[i] " s")
            return i + 1
        }
        END {
            i = stopped(1, start1, stop1, start2, "first")
            for (k = 1; k <= 11 && i <= n; k++) {
                due = start2 + (50 + move * k) / 1000
                what = k < 10 ? "tick " k : k == 10 ? "the double tick" : "the time-out"
                expect(i, due, k == 11 ? 1.2 : 0.08, what)
                late = (at[i] - due) * 1000
                if (k == 1 || late < lo) lo = late
                if (k == 1 || late > hi) hi = late
                i++
                if (k == 10) { expect(i, at[i - 1] + 0.15, 0.08, "the double tick'"'"'s second"); i++ }
            }
            if (k <= 11) bad("the second game'"'"'s cues ended at its " k "th position")
            i = stopped(i, start3, stop3, finished, "second")
            if (i <= n) bad((n - i + 1) " cues after the last game")
            if (murmurs > 0) bad(murmurs " stretches of sound between the cues")
            if (full > 0) bad(full " samples at full scale")
            printf "ticks %d to %d ms after their timer; stop cue%s ms after its key (the first" \
                " the run'"'"'s first sound)", lo, hi, delays
            if (jackpots != "") printf "; jackpot cues%s ms apart", jackpots
            exit failed
        }' "$cues") || fail "$name: the cues are not as played"
    step "$name: every cue heard at its time, none at full scale, nothing between; $report"
}

for server in $servers; do
    check_server "$server"
done
passed=1
echo "sound: PASSED"
