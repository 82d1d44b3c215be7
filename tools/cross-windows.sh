#!/usr/bin/env bash
# Cross-builds the program for 64-bit Windows on this Debian 12 machine from the
# committed tree and Debian's own Qt sources, packs it as an MSI (and a zip of
# the same files), then installs the MSI silently under Wine on an X server,
# plays one round there beside the Linux build and uninstalls it again.
# Writes build/windows/parking-dice-<version>-x64.msi and .zip.
# With PARKING_SIGN_PFX (a PKCS#12 file) and PARKING_SIGN_PASS_FILE (a file
# holding its password), the program, its sound module and the MSI are signed
# with that code-signing certificate (osslsigncode).
#
# Qt for Windows is built once (most of an hour on 2 cores) into
# build/qt-windows, or into $PARKING_WINDOWS_QT, and reused while it is there.
# `tools/cross-windows.sh qt` builds only that. Needs root for the packages
# and for the deb-src entry the Qt sources come from.
set -euo pipefail
cd "$(dirname "$0")/.."
here=$PWD
source tools/deps.sh

qt=${PARKING_WINDOWS_QT:-$here/build/qt-windows}
toolchain=$here/tools/mingw-w64-x86_64.cmake
out=$here/build/windows

phase() { echo "== $1 ($((SECONDS - phase_start)) s so far)"; }
phase_start=$SECONDS

ensure_build_deps
ensure_packages "${display_packages[@]}" qt6-base-dev-tools ninja-build \
    dpkg-dev g++-mingw-w64-x86-64-posix wixl msitools zip wine64 pulseaudio pulseaudio-utils \
    osslsigncode openssl python3-pefile sox faketime dbus at-spi2-core python3-pyatspi

# Debian's sources for the packages already installed from the archive: a
# deb-src entry beside each deb one.
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

# Qt's Core, Gui and Widgets with the Windows platform and style plugins, for
# x86_64-w64-mingw32, built against Debian's Qt as the host Qt (moc, rcc, uic).
# The +dfsg sources lack wintab.h (no tablet events); the Windows platform
# plugin of 6.4 needs OpenGL (dynamic) to compile.
build_qt() {
    [ -f "$qt/.complete" ] && { echo "Qt for Windows: reusing $qt"; return 0; }
    local work=$qt.work
    mkdir -p "$work"
    if ! ls -d "$work"/qt6-base-*/ >/dev/null 2>&1; then
        add_deb_src
        (cd "$work" && apt-get source -qq qt6-base)
    fi
    local src
    src=$(ls -d "$work"/qt6-base-*/ | head -n 1)
    phase "configuring Qt for Windows in $work/build"
    nice -n 19 cmake -S "$src" -B "$work/build" -G Ninja -Wno-dev \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$qt" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DFEATURE_tabletevent=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_network=OFF \
        -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
        -DFEATURE_testlib=OFF >"$work/configure.log"
    phase "building Qt for Windows (most of an hour on 2 cores; log in $work/build.log)"
    nice -n 19 cmake --build "$work/build" -j"$(nproc)" >"$work/build.log" 2>&1 ||
        { tail -n 30 "$work/build.log" >&2; echo "FAIL: Qt for Windows did not build" >&2; exit 1; }
    nice -n 19 cmake --install "$work/build" >"$work/install.log"
    touch "$qt/.complete"
    rm -rf "$work/build"
}

build_qt
[ "${1:-}" = qt ] && exit 0

version=$(sed -n 's/^project(parking_dice VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
scratch=$(mktemp -d /tmp/parking-windows.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/src" "$out"
git archive HEAD | tar -x -C "$scratch/src"

# The Linux build makes the cues and the icons for the cross build, and is the
# round's reference; its layout table says where the round clicks.
phase "the Linux build in build/"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
nice -n 10 cmake --build build -j"$(nproc)" --target parking-dice make_cue make_icons icons layout_table >/dev/null

phase "the program for Windows, from the committed tree"
cmake -S "$scratch/src" -B "$scratch/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$scratch/src/tools/mingw-w64-x86_64.cmake" \
    -DPARKING_HOST_TOOLS="$here/build" -DCMAKE_INSTALL_BINDIR=. >"$scratch/configure.log" ||
    { cat "$scratch/configure.log" >&2; exit 1; }
nice -n 10 cmake --build "$scratch/build" -j"$(nproc)" >"$scratch/build.log" 2>&1 ||
    { tail -n 40 "$scratch/build.log" >&2; echo "FAIL: the Windows program did not build" >&2; exit 1; }

# Everything the installed program needs, as it lies in its folder.
stage=$scratch/parking-dice-$version
cmake --install "$scratch/build" --prefix "$stage" --strip >/dev/null
cp "$qt"/bin/Qt6{Core,Gui,Widgets}.dll "$stage/"
mkdir -p "$stage/platforms" "$stage/styles"
cp "$qt/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
for dll in libstdc++-6.dll libgcc_s_seh-1.dll; do
    cp "$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll)" "$stage/"
done
cp /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$stage/"
cp LICENSES/GPL-3.0-or-later.txt "$stage/license.txt"
cp "$scratch/build/parking-dice.ico" "$stage/"
# The libraries come with their symbols (libstdc++ alone is 24 MB): the
# program needs none of them.
unstripped=$(du -sb "$stage" | cut -f1)
find "$stage" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
echo "the installed files: $((unstripped / 1024)) KiB with the libraries' symbols, $(($(du -sb "$stage" | cut -f1) / 1024)) KiB without"

# sign FILE...: signed in place with the school's certificate, if one is given.
sign() {
    local file
    for file in "$@"; do
        osslsigncode sign -pkcs12 "$PARKING_SIGN_PFX" -readpass "$PARKING_SIGN_PASS_FILE" \
            -n "駐車場のサイコロ実験" -h sha256 ${PARKING_SIGN_TIMESTAMP:+-ts "$PARKING_SIGN_TIMESTAMP"} \
            -in "$file" -out "$file.signed" >/dev/null || { echo "FAIL: signing $file" >&2; exit 1; }
        mv "$file.signed" "$file"
    done
}
[ -n "${PARKING_SIGN_PFX:-}" ] && sign "$stage/parking-dice.exe" "$stage/parking-dice-sound.dll"

# msi VERSION FILE: the installer. wixl 0.101 keeps the tables' strings in the
# database's code page, which it leaves unset, and drops the Japanese ones:
# the code page is set to Japanese (932) after it, and they are written again.
wxs=$scratch/src/tools/windows/parking-dice.wxs
defined() { sed -n "s/^<?define $1 = \"\(.*\)\" ?>$/\1/p" "$wxs"; }
name=$(defined Name) summary=$(defined Summary) downgrade=$(defined Downgrade)
msi() {
    (cd "$stage" && wixl -a x64 -D Version="$1" -o "$2" "$wxs")
    printf '\r\n\r\n932\t_ForceCodepage\r\n' >"$scratch/_ForceCodepage.idt"
    msibuild "$2" -i "$scratch/_ForceCodepage.idt"
    msibuild "$2" -q "UPDATE Property SET Value = '$name' WHERE Property = 'ProductName'" \
        -q "UPDATE Shortcut SET Name = 'parking|$name', Description = '$summary'" \
        -q "UPDATE LaunchCondition SET Description = '$downgrade'"
    msiinfo export "$2" Shortcut | grep -q "|$name" || { echo "FAIL: $2 names no shortcut $name" >&2; exit 1; }
    # What wixl leaves out: the files' versions, which deployment tools and
    # Windows Installer's own file rules read; and that an installer of the
    # same version (a rebuild, with its own product code) replaces the
    # installed one rather than install beside it.
    # The File table names a file by its short and long name ("SHORT~1|long").
    local file version language key
    msiinfo export "$2" File >"$scratch/File.idt"
    while IFS=$'\t' read -r file version language; do
        key=$(awk -F'\t' -v name="${file##*/}" 'NR > 3 && ($3 == name || $3 ~ "[|]" name "$") {print $1}' "$scratch/File.idt")
        [ -n "$key" ] || { echo "FAIL: $2 holds no file $file" >&2; exit 1; }
        msibuild "$2" -q "UPDATE File SET Version = '$version', Language = '$language' WHERE File = '$key'"
    done < <(cd "$stage" && /usr/bin/python3 "$here/tools/windows/pe_versions.py" $(find . -name '*.exe' -o -name '*.dll'))
    # Attributes 1 + 512: the version found may equal this one (VersionMax
    # inclusive). It is part of the table's key, so the table is written anew
    # (msiinfo writes its lines with CR LF).
    msiinfo export "$2" Upgrade |
        awk -F'\t' -v OFS='\t' '$7 ~ /^WIX_UPGRADE_DETECTED\r?$/ {$5 = 513} {print}' >"$scratch/Upgrade.idt"
    msibuild "$2" -i "$scratch/Upgrade.idt"
    msiinfo export "$2" Upgrade | grep -P '\t513\t\tWIX_UPGRADE_DETECTED' >/dev/null ||
        { echo "FAIL: $2 still installs beside a build of the same version" >&2; exit 1; }
    [ -n "${PARKING_SIGN_PFX:-}" ] && sign "$2"
    return 0
}
phase "the MSI and the zip"
msi "$version" "$out/parking-dice-$version-x64.msi"
rm -f "$out/parking-dice-$version-x64.zip"
(cd "$scratch" && zip -qr "$out/parking-dice-$version-x64.zip" "parking-dice-$version")
ls -l "$out"/parking-dice-"$version"-x64.*

/usr/bin/python3 tools/windows/pe_versions.py --show "$stage/parking-dice.exe" | tee "$scratch/exe-version"
for want in $'\tresources: icon manifest' $'041104B0\tProductName\t'"$name" $'040904B0\tProductName\tParking Dice Experiment' \
    $'\t040904B0\tFileVersion\t'"$version.0"; do
    grep -qF "$want" "$scratch/exe-version" || { echo "FAIL: parking-dice.exe lacks: $want" >&2; exit 1; }
done
msiinfo export "$out/parking-dice-$version-x64.msi" File | grep -P "\tparking-dice.exe\t\d+\t$version.0\t1041\t" >/dev/null ||
    { echo "FAIL: the MSI's File table gives parking-dice.exe no version" >&2; exit 1; }

phase "signing, with a certificate made for the check"
# The recipe README gives a school, tried with a certificate of the check's
# own: the signatures must verify against it.
openssl req -x509 -newkey rsa:3072 -sha256 -nodes -days 2 -subj "/CN=parking-dice signing check" \
    -addext extendedKeyUsage=codeSigning -keyout "$scratch/key.pem" -out "$scratch/cert.pem" 2>/dev/null
openssl rand -hex 16 >"$scratch/pass"
openssl pkcs12 -export -inkey "$scratch/key.pem" -in "$scratch/cert.pem" -passout "file:$scratch/pass" \
    -out "$scratch/school.pfx"
mkdir "$scratch/signed"
cp "$stage/parking-dice.exe" "$out/parking-dice-$version-x64.msi" "$scratch/signed/"
PARKING_SIGN_PFX=$scratch/school.pfx PARKING_SIGN_PASS_FILE=$scratch/pass \
    sign "$scratch/signed/parking-dice.exe" "$scratch/signed/parking-dice-$version-x64.msi"
for file in "$scratch"/signed/*; do
    osslsigncode verify -CAfile "$scratch/cert.pem" -in "$file" >"$scratch/verify.log" 2>&1 ||
        { cat "$scratch/verify.log" >&2; echo "FAIL: the signature of ${file##*/} does not verify" >&2; exit 1; }
    echo "signed and verified: ${file##*/}"
done

phase "a round under Wine beside the Linux build"
msi 0.0.1 "$scratch/older.msi"
# A rebuild of the same version, with a product code of its own.
msi "$version" "$scratch/rebuilt.msi"
product_code() { msiinfo export "$1" Property | awk -F'\t' '$1 == "ProductCode" {print $2}'; }
[ "$(product_code "$scratch/rebuilt.msi")" != "$(product_code "$out/parking-dice-$version-x64.msi")" ] ||
    { echo "FAIL: the rebuilt MSI has the same product code" >&2; exit 1; }
mkdir -p "$out/round"
MSI="$out/parking-dice-$version-x64.msi" OLDER_MSI="$scratch/older.msi" REBUILT_MSI="$scratch/rebuilt.msi" \
    VERSION=$version KEEP="$out/round" \
    tests/e2e/with_display.sh "$here/build/bin/parking-dice" tests/e2e/windows.sh
phase "done"
