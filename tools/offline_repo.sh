#!/usr/bin/env bash
# Gathers the package and every package it needs into one folder with an
# index, so that classroom machines that reach only that folder (a USB stick,
# a share on the school's server) install it with apt:
#
#   tools/offline_repo.sh parking-dice_VERSION_ARCH.deb FOLDER
#
# and then, on each classroom machine, as root:
#
#   echo "deb [trusted=yes] file:/media/usb/parking-dice ./" >/etc/apt/sources.list.d/parking-dice.list
#   apt-get update && apt-get install parking-dice
#
# The list is what a machine with nothing installed would need (the base
# system's essential packages apart), plus what the package recommends, at the
# versions this machine's apt sources offer: run it on a machine of the same
# Debian release and architecture as the classroom's. Run again on the same
# folder with a newer package, or after the archive's updates, it fetches
# only what changed and drops what is no longer needed, so that the classroom
# machines update with apt-get upgrade. Files already in apt's cache are
# copied, not downloaded.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/tools/deps.sh"

if [ $# -ne 2 ] || [ ! -f "$1" ]; then
    echo "usage: $0 PACKAGE.deb FOLDER" >&2
    exit 2
fi
deb=$(realpath "$1")
mkdir -p "$2"
folder=$(realpath "$2")
ensure_packages dpkg-dev

nothing=$(mktemp)
trap 'rm -f "$nothing"' EXIT
# The first choice of each recommendation, without its version.
recommends=$(dpkg-deb -f "$deb" Recommends | tr ',' '\n' | sed 's/|.*//; s/(.*)//; s/ //g')
# name_version_arch.deb of each package apt would install on an empty system,
# the epoch's colon written as apt writes it in file names.
files=()
# shellcheck disable=SC2086
while read -r name version arch; do
    files+=("${name}_${version/:/%3a}_$arch.deb")
done < <(apt-get -s -o Dir::State::status="$nothing" -o APT::Install-Recommends=false install "$deb" $recommends |
    sed -n 's/^Inst \([^ :]*\)[^ ]* (\([^ ]*\) [^[]*\[\([^]]*\)\].*/\1 \2 \3/p' | grep -v '^parking-dice ')
[ ${#files[@]} -gt 0 ] || { echo "apt found nothing to gather for $deb" >&2; exit 1; }

cd "$folder"
wanted=("${files[@]}" "$(basename "$deb")")
for file in *.deb; do
    [ -e "$file" ] || continue
    printf '%s\n' "${wanted[@]}" | grep -qxF "$file" || rm -f "$file"
done
missing=()
for file in "${files[@]}"; do
    [ -f "$file" ] && continue
    if [ -f "/var/cache/apt/archives/$file" ]; then
        cp "/var/cache/apt/archives/$file" .
    else
        name=${file%%_*} version=${file#*_}
        version=${version%_*}
        missing+=("$name=${version/\%3a/:}")
    fi
done
[ ${#missing[@]} -eq 0 ] || apt-get download -q "${missing[@]}" >/dev/null
cp "$deb" .
dpkg-scanpackages . 2>/dev/null >Packages
gzip -9nkf Packages
echo "$folder: $(ls ./*.deb | wc -l) packages, $(du -sh --apparent-size . | cut -f1)"
