# Installs the Debian packages the program needs; sourced by run.sh and test.sh.

build_packages=(cmake g++ make pkg-config qt6-base-dev libpulse-dev libsndfile1-dev
    fonts-ipafont-gothic)
display_packages=(xvfb xdotool imagemagick)
test_packages=(dbus pulseaudio pulseaudio-utils pipewire pipewire-pulse wireplumber sox at-spi2-core python3-pyatspi
    desktop-file-utils appstream dpkg-dev file valgrind orca speech-dispatcher zenity procps
    weston qt6-wayland faketime poppler-utils openbox x11-utils)
# The packaging stage's tools; the build dependencies come from debian/control.
package_packages=(git dpkg-dev reuse lintian autopkgtest groff-base man-db appstream desktop-file-utils)

# ensure_packages NAME...: installs whichever of them are missing.
ensure_packages() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Install them with:" >&2
        echo "  sudo apt-get install --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing ${missing[*]}"
    # Wait for another install that holds the package lock rather than fail.
    apt-get -o DPkg::Lock::Timeout=600 update -qq
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}
