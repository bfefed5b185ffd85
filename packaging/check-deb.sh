#!/usr/bin/env bash
# Builds the Debian source and binary packages and checks them as a distribution and a
# player's machine would meet them: lintian --pedantic on the .changes (source, binaries and
# build information), an install of every binary package through apt-get (which resolves
# their dependencies), the package's own autopkgtest against the installed game, the installed
# program's --version, a start under Xvfb and openbox to the first Home paint, one sound from
# the installed module recorded from a PulseAudio null sink, and a purge that leaves nothing of
# them under /usr. Needs root (it installs into /usr) and refuses to run while a globule package
# is installed.
#   BUILD_DIR   the packages' build folder (default: build-deb/ at the project root)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-deb}
sudo=""
if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
# The real-window session below brings its own step and fail, named by this.
check_name=deb
step() { echo "$check_name: $*"; }

if dpkg-query -W -f='${Status}' globule 2>/dev/null | grep -q "installed"; then
    echo "check-deb: a globule package is installed already; remove it first" >&2
    exit 1
fi
"$root/scripts/setup.sh" --e2e --deb

# ---- Package build and lintian ------------------------------------------------------------

started=$SECONDS
build_log=$(mktemp)
"$root/packaging/build-deb.sh" "$build" >"$build_log"
cat "$build_log"
changes=$(tail -n1 "$build_log")
rm -f "$build_log"
debs=()
while read -r name; do
    debs+=("$build/$name")
done < <(sed -n 's/^ [0-9a-f]\{64\} [0-9]* \(.*\.deb\)$/\1/p' "$changes" | sort -u)
((${#debs[@]})) || {
    echo "check-deb: $changes lists no .deb" >&2
    exit 1
}
made=$(cd "$build" && stat -c '%n %s bytes' ./*.orig.tar.* ./*.dsc ./*.deb | paste -sd,)
step "package build: $(basename "$changes") in $((SECONDS - started)) s: ${made//,/, }"

lintian_log=$(mktemp)
# Every tag down to the pedantic ones, and any overridden ones marked O: (their reasons would be
# in debian/source/lintian-overrides); any error or warning that is not overridden fails.
lintian_status=0
lintian --pedantic --display-info --show-overrides --fail-on none "$changes" >"$lintian_log" 2>&1 ||
    lintian_status=$?
sed -n 's/^\([EWIPXO]: .*\)/  lintian: \1/p' "$lintian_log"
if ((lintian_status)) || grep -qE '^[EW]: ' "$lintian_log"; then
    cat "$lintian_log" >&2
    rm -f "$lintian_log"
    echo "check-deb: lintian reports errors or warnings" >&2
    exit 1
fi
tags=$(grep -cE '^[IPXO]: ' "$lintian_log" || true)
rm -f "$lintian_log"
step "lintian --pedantic on the .changes: no errors or warnings ($tags other tags, overridden included)"

# ---- Install ------------------------------------------------------------------------------

source "$root/tests/e2e/session.sh"
installed=0
before=$work/usr-before.txt
find /usr -iname '*globule*' 2>/dev/null | sort >"$before"
packages=()
for deb in "${debs[@]}"; do packages+=("$(dpkg-deb -f "$deb" Package)"); done
purge() { DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -qq "${packages[@]}" >"$work/purge.log" 2>&1; }
# The package never stays on the machine, whatever fails.
finish() {
    local status=$?
    cleanup
    if ((installed)); then purge || true; fi
    exit "$status"
}
trap finish EXIT

installed=1
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${debs[@]}" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; fail "apt-get install"; }
status=$(dpkg-query -W -f='${Status} ${Version}' globule)
[[ $status == "install ok installed "* ]] || fail "package state after install: $status"
dpkg-query -L "${packages[@]}" | sort -u >"$work/paths.txt"
program=$(grep -x '.*/games/globule' "$work/paths.txt") || fail "no /usr/games/globule"
module=$(grep '/libglobule_sound\.so$' "$work/paths.txt") || fail "no sound module"
for path in "$program" "$module" /usr/share/man/man6/globule.6.gz \
    /usr/share/doc/globule/copyright /usr/share/doc/globule/changelog.Debian.gz \
    /usr/share/applications/globule.desktop; do
    [[ -f $path ]] || fail "$path is not installed"
done
page=$(man -w globule 2>&1) || fail "man finds no page for globule: $page"
[[ $page == /usr/share/man/man6/globule.6.gz ]] || fail "man globule reads $page"
brought=$(awk '/NEW packages will be installed/ {f = 1; next} f && /^  / {printf "%s", $0; next}
    f {exit}' "$work/install.log" | tr -s ' ')
step "install: apt-get installed ${packages[*]} ${status##* } ($(wc -l <"$work/paths.txt") paths);" \
    "new packages:${brought}; man globule reads $page"

# ---- The package's own autopkgtest, against the installed game ---------------------------

AUTOPKGTEST_TMP=$(mktemp -d -p "$work") "$root/debian/tests/start-under-xvfb" >"$work/autopkgtest.log" 2>&1 ||
    { cat "$work/autopkgtest.log" >&2; fail "the autopkgtest start-under-xvfb"; }
step "autopkgtest start-under-xvfb: $(tail -n1 "$work/autopkgtest.log")"

# ---- Start: --version, then the window to its first Home paint ----------------------------

start_session || fail "no X session"
# A PulseAudio server of our own with a null sink whose monitor records what the game plays.
env -u DISPLAY pulseaudio --daemonize=no --system=false -n --use-pid-file=no \
    --exit-idle-time=-1 --load="module-null-sink sink_name=globule rate=44100 channels=2" \
    --load="module-native-protocol-unix socket=$work/pulse.sock auth-anonymous=1" \
    >"$work/pulseaudio.log" 2>&1 &
pids+=($!)
export PULSE_SERVER=unix:$work/pulse.sock
wait_for 10 pactl info >/dev/null 2>&1 || fail "PulseAudio did not start"
# An idle null sink renders in 2 s blocks: one reader kept running makes it render in time.
parec --latency-msec=20 -d globule.monitor --raw >/dev/null 2>&1 &
pids+=($!)
sink_live() {
    local bytes
    bytes=$(timeout 1 parec --latency-msec=20 -d globule.monitor --raw 2>/dev/null | wc -c)
    ((bytes > 0))
}
wait_for 15 sink_live || fail "the null sink does not render"

version=$("$program" --version 2>"$work/version.log") || fail "$program --version failed"
[[ $version == "Globule Version LR615" ]] || fail "$program --version printed '$version'"
step "start: $program --version prints \"$version\""

start_game "$program"
# The right margin of the Home page, and the left margin of the Score screen, at 1024x768.
shows() { # colour x y
    alive || fail "the installed program ended"
    shot screen || return 1
    [[ $(pixel screen "$2" "$3") == "$1" ]]
}
wait_for 20 shows '#FFC8A0' 1000 440 || fail "the installed program drew no Home page"
step "start: the installed program drew its Home page under Xvfb and openbox"

# ---- Sound: the stop cue of a game, played by the installed module ------------------------

parecord --device=globule.monitor --file-format=wav "$work/sound.wav" 2>"$work/parecord.log" &
recorder=$!
pids+=("$recorder")
timeout 10 xdotool key --clearmodifiers space || fail "xdotool"
wait_for 10 shows '#DCFFDC' 5 440 || fail "Space did not show the Score screen"
timeout 10 xdotool key --clearmodifiers space || fail "xdotool"
sleep 0.5 # the game's first tick comes after 50 ms
timeout 10 xdotool key --clearmodifiers space || fail "xdotool"
sleep 2 # the stop cue lasts 1.25 s
kill -INT "$recorder"
wait "$recorder" || true
grep -qF "$module" "/proc/$game/maps" || fail "the program did not load $module"
stats=$(sox "$work/sound.wav" -n stat 2>&1) || fail "sox: $stats"
length=$(awk '/^Length \(seconds\)/ {print $3}' <<<"$stats")
peak=$(awk '/^Maximum amplitude/ {print $3}' <<<"$stats")
rms=$(awk '/^RMS +amplitude/ {print $3}' <<<"$stats")
awk -v p="$peak" -v r="$rms" 'BEGIN {exit !(p > 0.05 && r > 0.001)}' ||
    fail "nothing audible was recorded (peak $peak, RMS $rms over $length s)"
step "sound: the stop cue through $module: ${length} s recorded, peak $peak, RMS $rms"

# The game just played is not saved: Alt+F4 asks about it first, and Discard lets it go.
timeout 10 xdotool key --clearmodifiers alt+F4 || fail "xdotool"
question_up() { timeout 5 xdotool search --onlyvisible --name '^Globule$' >/dev/null 2>&1; }
wait_for 20 question_up || fail "Alt+F4 asked nothing about the unsaved game"
step "Alt+F4 asked whether to save the game just played"
timeout 10 xdotool key --clearmodifiers alt+d || fail "xdotool"
wait_for 20 bash -c "! kill -0 $game 2>/dev/null" || fail "Discard did not close the program"
wait "$game" || fail "the installed program ended with status $?"

# ---- Purge --------------------------------------------------------------------------------

purge || { cat "$work/purge.log" >&2; fail "apt-get purge"; }
installed=0
for package in "${packages[@]}"; do
    if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "installed"; then
        fail "$package is still known to dpkg after the purge"
    fi
done
left=0
while read -r path; do
    # Folders the package shares with others (/usr/share/man/man6) stay; its own go.
    if [[ -f $path || -L $path || ($path == *globule* && -e $path) ]]; then
        echo "left after the purge: $path" >&2
        left=1
    fi
done <"$work/paths.txt"
find /usr -iname '*globule*' 2>/dev/null | sort | diff "$before" - >&2 || left=1
((left == 0)) || fail "the purge left files under /usr"
step "purge: apt-get purge removed all $(wc -l <"$work/paths.txt") paths; nothing of it under /usr"
passed=1
