# Shared by scripts/run and scripts/test: install what is missing, then build.
# Sourced, not run.

# Debian packages the project needs to build, test and run.
BRIVO_PACKAGES=(
    g++ cmake ninja-build pkgconf git
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-tools-dev qt6-tools-dev-tools qt6-qpa-plugins
    libqt6multimedia6 gstreamer1.0-plugins-base
    libjpeg-dev libbenchmark-dev libxcb1-dev libxcb-xfixes0-dev
    clang clang-format libclang-rt-14-dev
    desktop-file-utils appstream librsvg2-bin dpkg-dev file lintian xvfb xauth xdg-utils
    sox pulseaudio pulseaudio-utils faketime openbox xdotool x11-utils dbus-daemon trayer
    weston xwayland qt6-wayland
    fonts-liberation2 qt6-translations-l10n tzdata at-spi2-core python3-pyatspi imagemagick
    libical-dev radicale libsecret-1-dev gnome-keyring
)

brivo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
brivo_build="$brivo_root/build"

brivo_install_missing() {
    local missing=()
    local p
    for p in "${BRIVO_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; return 1; }
        sudo=(sudo)
    fi
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -q || return 1
    "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" || return 1
}

# brivo_build_all [extra cmake options...]
brivo_build_all() {
    cmake -S "$brivo_root" -B "$brivo_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" || return 1
    cmake --build "$brivo_build" --parallel "$(nproc)" || return 1
}
