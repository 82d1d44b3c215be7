# Installs the Debian packages the program and its tests need; sourced by
# run.sh, test.sh and bench/run.sh from the top of the sources.

# What building needs is debian/control's Build-Depends alone (ensure_build_deps).
display_packages=(xvfb xdotool imagemagick)
test_packages=(dbus pulseaudio pulseaudio-utils pipewire pipewire-pulse wireplumber sox at-spi2-core python3-pyatspi
    orca speech-dispatcher zenity procps weston qt6-wayland faketime poppler-utils openbox x11-utils x11-xserver-utils
    python3-openpyxl libreoffice-calc-nogui)
# The packaging stage's tools.
package_packages=(git dpkg-dev reuse lintian autopkgtest groff-base man-db appstream desktop-file-utils)

# apt_install WHAT ARGUMENT...: runs apt-get ARGUMENT... as root after an
# update, or prints the command for a user to run and ends.
apt_install() {
    local what=$1
    shift
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing $what. Install them with:" >&2
        echo "  (cd '$PWD' && sudo apt-get $*)" >&2
        exit 1
    fi
    echo "Installing $what"
    # Wait for another install that holds the package lock rather than fail.
    apt-get -o DPkg::Lock::Timeout=600 update -qq
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 -y -qq "$@" >/dev/null
}

# ensure_build_deps: installs debian/control's build dependencies unless
# dpkg-checkbuilddeps finds them all; run from the top of the sources.
ensure_build_deps() {
    command -v dpkg-checkbuilddeps >/dev/null && dpkg-checkbuilddeps 2>/dev/null && return 0
    apt_install "the build dependencies of debian/control" build-dep --no-install-recommends ./
}

# ensure_packages NAME...: installs whichever of them are missing.
ensure_packages() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    apt_install "${missing[*]}" install --no-install-recommends "${missing[@]}"
}
