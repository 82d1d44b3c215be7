#!/usr/bin/env bash
# The packaging stage of ./test.sh, on a copy of the committed tree (git
# archive of HEAD), so that nothing uncommitted can make it pass:
# REUSE, the manual pages, the desktop entry and metadata, the Debian package
# built as README says, lintian, the autopkgtest, the installed program on an
# X server, and the guide's screenshot script. What it installs into the
# system to test is purged at the end. Needs root, as CI runs it.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/tools/deps.sh"

if [ "$(id -u)" -ne 0 ]; then
    echo "The packaging stage installs into the system and needs root; skipped." >&2
    exit 0
fi
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
# step NAME COMMAND...: runs a check, keeps its output unless it fails.
step() {
    local name=$1 start=$SECONDS
    shift
    if ! "$@" >"$scratch/$name.log" 2>&1; then
        tail -n 40 "$scratch/$name.log" >&2
        fail "$name"
    fi
    echo "  $name: ok ($((SECONDS - start)) s)"
}

ensure_packages "${package_packages[@]}"
! dpkg-query -W -f='${Status}' parking-dice 2>/dev/null | grep -q 'ok installed' ||
    fail "parking-dice is installed already; remove it first (apt-get purge parking-dice)"
scratch=$(mktemp -d /tmp/parking-package.XXXXXX)
purge=()
autopkgtest_apt_files=(/etc/apt/sources.list.d/autopkgtest.list /etc/apt/preferences.d/90autopkgtest)
apt_source_before=unknown
cleanup() {
    local installed=() package
    for package in "${purge[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' && installed+=("$package")
    done
    if [ ${#installed[@]} -gt 0 ]; then
        echo "  purging ${installed[*]}"
        DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 purge -y -qq "${installed[@]}" >/dev/null
    fi
    # autopkgtest removes its apt source itself unless it was interrupted.
    [ -z "${apt_source_before:-}" ] && rm -f "${autopkgtest_apt_files[@]}"
    rm -rf "$scratch"
}
trap cleanup EXIT

src=$scratch/parking-dice
mkdir "$src"
git -C "$here" archive HEAD | tar -x -C "$src"
cd "$src"
id=org.parkingdice.parkingdice

step reuse reuse lint
# debian/copyright says for each file what .reuse/dep5 says.
files_paragraphs() { awk '/^Files:/ {on = 1} /^$/ {on = 0} on' "$1"; }
[ "$(files_paragraphs debian/copyright)" = "$(files_paragraphs .reuse/dep5)" ] ||
    fail "debian/copyright and .reuse/dep5 disagree"

man_page() { # FILE: renders without a warning, and has a name line
    local warnings
    warnings=$(groff -k -Tutf8 -man -ww -z "$1" 2>&1)
    [ -z "$warnings" ] || { echo "$warnings"; return 1; }
    warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$1" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "$warnings"; return 1; }
    lexgrog "$1"
}
step man-en man_page docs/parking-dice.1
step man-ja man_page docs/parking-dice.ja.1
step desktop-entry desktop-file-validate "data/$id.desktop"
step metainfo appstreamcli validate --pedantic --no-net "data/$id.metainfo.xml"

# One id, one name and one version for the desktop entry, the metadata, the
# package and the build.
metainfo_value() { sed -n "s|^ *<$1\( [^>]*\)\?>\(.*\)</$1>|\2|p" "data/$id.metainfo.xml" | head -n 1; }
[ "$(metainfo_value id)" = "$id" ] || fail "the metadata's id is $(metainfo_value id)"
[ "$(metainfo_value launchable)" = "$id.desktop" ] || fail "the metadata launches another entry"
[ "$(sed -n 's/^Name=//p' "data/$id.desktop")" = "$(metainfo_value name)" ] || fail "the English names differ"
[ "$(sed -n 's/^Name\[ja\]=//p' "data/$id.desktop")" = \
    "$(sed -n 's|^ *<name xml:lang="ja">\(.*\)</name>|\1|p' "data/$id.metainfo.xml")" ] ||
    fail "the Japanese names differ"
grep -q "set(PARKING_APP_ID $id)" CMakeLists.txt || fail "the program is built with another id"
version=$(dpkg-parsechangelog -S Version)
grep -q "project(parking_dice VERSION $version " CMakeLists.txt || fail "CMakeLists.txt is not at version $version"
[ "$(grep -o '<release version="[^"]*"' "data/$id.metainfo.xml" | cut -d'"' -f2)" = \
    "$(dpkg-parsechangelog --all -S Version)" ] || fail "the metadata's releases are not the changelog's versions"
grep -q "\"parking-dice $version\"" docs/parking-dice.1 docs/parking-dice.ja.1 || fail "a manual page has another version"

# README's commands: the build dependencies, then the package.
step build-dep apt-get -o DPkg::Lock::Timeout=600 build-dep -y -qq ./
step dpkg-buildpackage env DEB_BUILD_OPTIONS="parallel=$(nproc)" nice -n 10 dpkg-buildpackage -us -uc -b
arch=$(dpkg --print-architecture)
deb=$scratch/parking-dice_${version}_$arch.deb
[ -f "$deb" ] && [ -f "$scratch/parking-dice-dbgsym_${version}_$arch.deb" ] || fail "no package or no -dbgsym package"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libpulse0 libpulse-mainloop-glib0 libsndfile1 fonts-ipafont-gothic; do
    [[ $depends == *"$needed"* ]] || fail "the package does not depend on $needed: $depends"
done
[[ $depends != *multimedia* ]] || fail "the package still depends on Qt Multimedia: $depends"
[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || fail "the package does not recommend qt6-wayland"

step lintian lintian --display-info --pedantic --fail-on error,warning,info,pedantic \
    "$scratch/parking-dice_${version}_$arch.changes"
grep -v 'running with root privileges' "$scratch/lintian.log" | sed 's/^/    /' || true

# What installing the package and the tests' dependencies adds to the system
# is purged at the end: with the project's packages in place, that is the
# package alone.
ensure_packages "${display_packages[@]}" "${test_packages[@]}" dbus-daemon man-db

# The printed guide, record sheet and paper car park, and the class tally, as
# the package installs them: fonts, headers, code and line breaks as printed,
# and the tally recalculated in LibreOffice.
dpkg-deb -x "$deb" "$scratch/root"
doc=$scratch/root/usr/share/doc/parking-dice
for file in guide.html guide.css guide.pdf record-sheet.html record-sheet.pdf paper-car-park.html \
    paper-car-park.pdf class-tally.xlsx guide/expected-moves.svg; do
    [ -s "$doc/$file" ] || fail "the package has no $file"
done
for picture in $(grep -o '<img src="[^"]*"' "$doc/guide.html" | cut -d'"' -f2); do
    [ -s "$doc/$picture" ] || fail "the guide's HTML shows $picture, which the package lacks"
done
for page in record-sheet paper-car-park; do
    [ "$(pdfinfo "$doc/$page.pdf" | sed -n 's/^Pages: *//p')" = 1 ] || fail "$page.pdf is not one page"
    pdfinfo "$doc/$page.pdf" | grep -q '^Page size: .*(A4)' || fail "$page.pdf is not A4"
done
step pdf-print /usr/bin/python3 tests/pdf_print.py "$doc/guide.pdf" "$doc/guide.html" \
    "$doc/record-sheet.pdf" "$doc/record-sheet.html" "$doc/paper-car-park.pdf" "$doc/paper-car-park.html"
sed 's/^/    /' "$scratch/pdf-print.log"
step class-tally /usr/bin/python3 tests/class_tally.py "$doc/class-tally.xlsx"
sed 's/^/    /' "$scratch/class-tally.log"
mapfile -t purge < <(apt-get -s -o APT::Install-Recommends=false install "$deb" 2>/dev/null |
    sed -n 's/^Inst \([^ ]*\) .*/\1/p')
printf '%s\n' "${purge[@]}" | grep -qx parking-dice || fail "apt would not install the package: ${purge[*]}"
# The offline folder: with every other package source switched off (apt
# with its own sources, lists and cache), a machine with nothing installed
# finds all the package needs there, and this one installs it from there. The
# folder is kept between runs, so only what changed is fetched again.
offline=$here/build/offline-packages
step offline-folder tools/offline_repo.sh "$deb" "$offline"
sed 's/^/    /' "$scratch/offline-folder.log"
apt_own=$scratch/apt
mkdir -p "$apt_own/lists/partial" "$apt_own/archives/partial" "$apt_own/sources.list.d"
echo "deb [trusted=yes] file:$offline ./" >"$apt_own/sources.list"
: >"$apt_own/nothing-installed"
offline_apt=(apt-get -o DPkg::Lock::Timeout=600 -o Dir::Etc::SourceList="$apt_own/sources.list"
    -o Dir::Etc::SourceParts="$apt_own/sources.list.d" -o Dir::State::Lists="$apt_own/lists"
    -o Dir::Cache::Archives="$apt_own/archives" -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache=)
step offline-update "${offline_apt[@]}" update
step offline-fresh-machine "${offline_apt[@]}" -o Dir::State::status="$apt_own/nothing-installed" \
    -s install parking-dice
for needed in parking-dice libqt6widgets6 libpulse0 fonts-ipafont-gothic qt6-wayland; do
    grep -q "^Inst $needed " "$scratch/offline-fresh-machine.log" || fail "a fresh machine would not install $needed"
done
step offline-install env DEBIAN_FRONTEND=noninteractive "${offline_apt[@]}" install -y -qq --no-install-recommends parking-dice
apt_source_before=$(ls "${autopkgtest_apt_files[@]}" 2>/dev/null || true)
step autopkgtest autopkgtest --no-built-binaries "$deb" "$src/" -- null
sed -n '/@@@@ summary/,$p' "$scratch/autopkgtest.log" | grep -E '^[a-z0-9-]+ +(PASS|FAIL|SKIP|FLAKY)' |
    sed 's/^/    /' || true
dpkg-query -W -f='${Status}' parking-dice 2>/dev/null | grep -q 'ok installed' ||
    step install apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "$deb"
step installed-program tests/e2e/with_display.sh /usr/bin/parking-dice "$src/tests/e2e/installed.sh"
step guide-screenshots tools/guide_screenshots.sh /usr/bin/parking-dice "$scratch/guide"
for shot in 0-start 1-roll 2-stop 3-park-left 4-park-right 5-count; do
    [ "$(identify -format '%wx%h' "$scratch/guide/$shot.png")" = 490x608 ] || fail "the guide's $shot.png is not the window"
done
echo "packaging: ok, in $((SECONDS / 60)) min $((SECONDS % 60)) s"
