#!/usr/bin/env bash
# Cross-builds the Debian package for arm64 (Raspberry Pi OS is Debian 12 for
# arm64) on this amd64 machine from the committed tree, and checks it under
# qemu-aarch64, called directly with Debian's multiarch libraries (no binfmt
# registration): the package build runs the unit and widget tests on the
# offscreen platform under qemu, then the packaged program plays one round on
# an X server beside the amd64 build in build/, and each step's client areas
# must be the same, pixel for pixel. Writes the packages to build/arm64/.
#
# The first run needs root: it adds arm64 to dpkg's architectures and installs
# the arm64 build dependencies beside the amd64 ones (Multi-Arch: same), which
# leaves the amd64 build as it was.
set -euo pipefail
cd "$(dirname "$0")/.."
here=$PWD
source tools/deps.sh

as_root() { # WHAT COMMAND...
    [ "$(id -u)" -eq 0 ] || { echo "Needs root: $1. Run: sudo ${*:2}" >&2; exit 1; }
    shift
    "$@"
}
phase() { echo "== $1 ($((SECONDS - phase_start)) s so far)"; }
phase_start=$SECONDS

dpkg --print-foreign-architectures | grep -qx arm64 ||
    as_root "arm64 packages" dpkg --add-architecture arm64
# libfaketime for arm64: the arm64 program loads it itself, qemu being static.
ensure_build_deps
ensure_packages "${display_packages[@]}" dbus at-spi2-core python3-pyatspi faketime \
    git dpkg-dev debhelper crossbuild-essential-arm64 qemu-user-static libfaketime:arm64

scratch=$(mktemp -d /tmp/parking-arm64.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/src" "$scratch/root"
git archive HEAD | tar -x -C "$scratch/src"

phase "arm64 build dependencies"
if ! (cd "$scratch/src" && dpkg-checkbuilddeps -a arm64 -Pcross 2>/dev/null); then
    (cd "$scratch/src" && as_root "arm64 build dependencies" \
        apt-get -o DPkg::Lock::Timeout=600 build-dep -y -qq -a arm64 -P cross ./) >/dev/null
fi

phase "cross build with dpkg-buildpackage -a arm64 (and its tests under qemu)"
if ! (cd "$scratch/src" && DEB_BUILD_OPTIONS="parallel=$(nproc)" nice -n 10 \
    dpkg-buildpackage -a arm64 --build-profiles=cross -us -uc -b) >"$scratch/build.log" 2>&1; then
    mkdir -p build/arm64
    cp "$scratch/build.log" build/arm64/
    tail -n 40 "$scratch/build.log" >&2
    echo "FAIL: the arm64 package did not build" >&2
    exit 1
fi
mkdir -p build/arm64
cp "$scratch/build.log" build/arm64/
grep -E 'tests passed|tests failed' "$scratch/build.log"
cp "$scratch"/parking-dice*_arm64.deb build/arm64/
deb=$(ls build/arm64/parking-dice_*_arm64.deb)
echo "$deb"

phase "the arm64 program beside the amd64 one on an X server"
# What the package depends on, for arm64, beside what the build brought.
if ! apt-get -s satisfy -a arm64 "$(dpkg-deb -f "$deb" Depends)" 2>/dev/null | grep -q '^0 upgraded, 0 newly'; then
    as_root "the arm64 package's dependencies" \
        apt-get -o DPkg::Lock::Timeout=600 satisfy -y -qq -a arm64 "$(dpkg-deb -f "$deb" Depends)" >/dev/null
fi
dpkg-deb -x "$deb" "$scratch/root"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
nice -n 10 cmake --build build -j"$(nproc)" --target parking-dice >/dev/null
ARM64_ROOT="$scratch/root" tests/e2e/with_display.sh "$here/build/bin/parking-dice" tests/e2e/arm64.sh
phase "done"
