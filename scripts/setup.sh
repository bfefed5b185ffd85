#!/usr/bin/env bash
# Installs whatever Debian packages the game, its build and the tests still lack.
#   --game       only what the game needs to build and run (the play command's set)
#   --e2e        also the tools of the real-window tests and of the desktops CI checks
#   --desktops   also the other desktops of the whole desktop matrix (tests/e2e/desktops.sh)
#   --deb        also the tools that build and check the Debian package
set -euo pipefail

# The game: its compiler and build tools, the development packages of the libraries it links,
# the fonts it draws its texts with, and the plugin that lets it run on a Wayland desktop.
packages=(
    cmake make g++ pkg-config
    qt6-base-dev qt6-multimedia-dev libgl-dev
    fonts-dejavu-core fonts-liberation2
    qt6-wayland
)
# The tests, the benchmark, the sanitizer and fuzz builds, the format check, the sound tests'
# private server and the locales the caption tests build.
tests=(
    libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-format
    pulseaudio pulseaudio-utils locales
)
if [[ " $* " != *" --game "* ]]; then packages+=("${tests[@]}"); fi
for option in "$@"; do
    case $option in
    --game) ;;
    --e2e)
        packages+=(xvfb openbox weston xdotool x11-utils imagemagick sox
            desktop-file-utils appstream man-db pipewire pipewire-pulse wireplumber dbus-x11
            xfwm4 tint2 sway grim wtype xwayland jq)
        ;;
    --desktops) packages+=(fluxbox icewm kwin-wayland mutter) ;;
    --deb) packages+=(dpkg-dev debhelper file lintian xz-utils git diffoscope-minimal) ;;
    *)
        echo "setup.sh: unknown option $option" >&2
        exit 2
        ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if ((${#missing[@]})); then
    sudo=""
    if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
