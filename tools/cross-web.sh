#!/usr/bin/env bash
# Builds the program for the browser (WebAssembly) on this Debian 12 machine
# from the committed tree, with Debian's emscripten and Qt built from Debian's
# own sources, and writes build/web/: the folder a web server serves as it
# stands (the page, the program's .js and .wasm, Qt's loader, the cues, the
# icons, a web app manifest and a service worker that keeps every file for
# use offline). Then plays the round in Chromium and WebKit beside the Linux
# build (tests/e2e/web.sh).
#
# Qt for the web (Core, Gui, Widgets; no threads) is built once (about 20
# minutes on 2 cores) into build/qt-web, or into $PARKING_WEB_QT, and reused
# while it is there; the Qt sources are those of the Windows route when it has
# fetched them. `tools/cross-web.sh qt` builds only that. Needs root for the packages
# and for the deb-src entry the Qt sources come from.
set -euo pipefail
cd "$(dirname "$0")/.."
here=$PWD
source tools/deps.sh
# Debian's own python3 and node for emscripten, whatever else is on PATH;
# its optimiser finds Debian's acorn through NODE_PATH.
export PATH=/usr/sbin:/usr/bin:/sbin:/bin NODE_PATH=/usr/share/nodejs

qt=${PARKING_WEB_QT:-$here/build/qt-web}
out=$here/build/web

phase() { echo "== $1 ($((SECONDS - phase_start)) s so far)"; }
phase_start=$SECONDS

ensure_build_deps
ensure_packages "${display_packages[@]}" emscripten qt6-base-dev qt6-base-dev-tools ninja-build dpkg-dev \
    python3-fonttools fonts-ipafont-gothic chromium chromium-driver webkit2gtk-driver python3-selenium \
    pulseaudio pulseaudio-utils sox faketime dbus at-spi2-core python3-pyatspi

# Qt's configure insists on an emsdk folder: one whose .emscripten names its
# upstream/emscripten, which here leads to Debian's emscripten.
emsdk=$qt.work/emsdk
make_emsdk() {
    mkdir -p "$emsdk/upstream/emscripten"
    echo "EMSCRIPTEN_ROOT = emsdk_path + '/upstream/emscripten'" >"$emsdk/.emscripten"
    local entry tool
    for entry in /usr/share/emscripten/*; do ln -sfn "$entry" "$emsdk/upstream/emscripten/"; done
    for tool in emcc em++; do
        rm -f "$emsdk/upstream/emscripten/$tool"
        printf '#!/bin/sh\nexec /usr/bin/%s "$@"\n' "$tool" >"$emsdk/upstream/emscripten/$tool"
        chmod +x "$emsdk/upstream/emscripten/$tool"
    done
}

# Debian's sources for the packages installed from the archive: a deb-src
# entry beside each deb one.
add_deb_src() {
    local list=/etc/apt/sources.list.d
    grep -qsr '^Types:.*deb-src' "$list" && return 0
    grep -qs '^deb-src ' /etc/apt/sources.list "$list"/*.list && return 0
    [ "$(id -u)" -eq 0 ] || { echo "Needs root to add a deb-src entry" >&2; exit 1; }
    if [ -f "$list/debian.sources" ]; then
        sed 's/^Types: deb$/Types: deb-src/' "$list/debian.sources" >"$list/parking-dice-src.sources"
    else
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$list/parking-dice-src.list"
    fi
    apt-get -o DPkg::Lock::Timeout=600 update -qq
}

# Qt's Core, Gui and Widgets with the web platform plugin, static and without
# threads (a page needs no special server headers then), against Debian's Qt
# as the host Qt (moc, rcc, uic).
build_qt() {
    [ -f "$qt/.complete" ] && { echo "Qt for the web: reusing $qt"; return 0; }
    local work=$qt.work src
    mkdir -p "$work"
    src=$(ls -d "${PARKING_WINDOWS_QT:-$here/build/qt-windows}".work/qt6-base-*/ "$work"/qt6-base-*/ 2>/dev/null |
        head -n 1) || true
    if [ -z "$src" ]; then
        add_deb_src
        (cd "$work" && apt-get source -qq qt6-base)
        src=$(ls -d "$work"/qt6-base-*/ | head -n 1)
    fi
    phase "configuring Qt for the web in $work/build"
    EMSDK=$emsdk nice -n 19 cmake -S "$src" -B "$work/build" -G Ninja -Wno-dev \
        -DQT_QMAKE_TARGET_MKSPEC=wasm-emscripten \
        -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$qt" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DBUILD_SHARED_LIBS=OFF -DFEATURE_thread=OFF \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_network=OFF \
        -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
        -DFEATURE_testlib=OFF >"$work/configure.log" 2>&1 ||
        { tail -n 30 "$work/configure.log" >&2; echo "FAIL: Qt for the web did not configure" >&2; exit 1; }
    phase "building Qt for the web (about 20 minutes on 2 cores; log in $work/build.log)"
    EMSDK=$emsdk nice -n 19 cmake --build "$work/build" -j"$(nproc)" >"$work/build.log" 2>&1 ||
        { tail -n 30 "$work/build.log" >&2; echo "FAIL: Qt for the web did not build" >&2; exit 1; }
    nice -n 19 cmake --install "$work/build" >"$work/install.log"
    touch "$qt/.complete"
    rm -rf "$work/build"
}

make_emsdk
build_qt
[ "${1:-}" = qt ] && exit 0
export EMSDK=$emsdk

scratch=$(mktemp -d /tmp/parking-web.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/src"
git archive HEAD | tar -x -C "$scratch/src"

# The Linux build makes the cues and the icons for the web build, and is the
# round's reference; its layout table says where the round clicks.
phase "the Linux build in build/"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
nice -n 10 cmake --build build -j"$(nproc)" --target parking-dice make_cue make_icons icons layout_table >/dev/null

phase "the program for the web, from the committed tree"
"$qt/bin/qt-cmake" -S "$scratch/src" -B "$scratch/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DPARKING_HOST_TOOLS="$here/build" >"$scratch/configure.log" 2>&1 ||
    { cat "$scratch/configure.log" >&2; exit 1; }
nice -n 10 cmake --build "$scratch/build" -j"$(nproc)" >"$scratch/build.log" 2>&1 ||
    { tail -n 40 "$scratch/build.log" >&2; echo "FAIL: the web build did not build" >&2; exit 1; }
rm -rf "$out"
cmake --install "$scratch/build" --prefix "$out" >/dev/null

# What a pupil's device downloads, as it lies and as a web server sends it
# compressed (gzip -9, as a server set to compress does at best).
total=0 packed=0
while read -r file; do
    total=$((total + $(stat -c %s "$file")))
    packed=$((packed + $(gzip -9 -c "$file" | wc -c)))
done < <(find "$out" -type f)
echo "build/web: $(find "$out" -type f | wc -l) files, $((total / 1024)) KiB, $((packed / 1024)) KiB compressed"
ls -l "$out"

phase "a round in Chromium and in WebKit beside the Linux build"
mkdir -p "$out.round"
WEB=$out KEEP="$out.round" tests/e2e/with_display.sh "$here/build/bin/parking-dice" tests/e2e/web.sh
phase "done"
