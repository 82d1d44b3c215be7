#!/usr/bin/env bash
# Runs a cross route as on a fresh Debian 12 machine: in a clean root made
# with mmdebstrap from the archive (essential packages, apt, git and CA
# certificates, nothing else), where the route's script must install all that
# it calls. The committed tree is cloned into the root; the Qt builds of the
# routes are bound in, so that their hour is not spent again.
#   tools/clean-root.sh windows|arm64|web [ARGUMENT...]
# Needs root (mmdebstrap, chroot, bind mounts). The root's archive is kept in
# build/clean-root.tar (or $PARKING_CLEAN_ROOT_TAR) and each run unpacks it
# afresh; the route's results are copied to build/clean-root-<route>/.
set -euo pipefail
cd "$(dirname "$0")/.."
here=$PWD
source tools/deps.sh
route=${1:?windows, arm64 or web}
shift
case $route in windows | arm64 | web) ;; *) echo "No route $route" >&2; exit 2 ;; esac
[ "$(id -u)" -eq 0 ] || { echo "Needs root: run sudo $0 $route" >&2; exit 1; }
ensure_packages mmdebstrap

tarball=${PARKING_CLEAN_ROOT_TAR:-$here/build/clean-root.tar}
if [ ! -s "$tarball" ]; then
    mkdir -p "$(dirname "$tarball")"
    # The name of a part-written file tells mmdebstrap no format: a tar, said so.
    mmdebstrap --variant=apt --format=tar --include=ca-certificates,git bookworm "$tarball.part" \
        "deb http://deb.debian.org/debian bookworm main" \
        "deb http://deb.debian.org/debian bookworm-updates main" \
        "deb http://deb.debian.org/debian-security bookworm-security main"
    mv "$tarball.part" "$tarball"
fi

root=$(mktemp -d /var/tmp/parking-clean-root.XXXXXX)
cleanup() {
    umount -R "$root/proc" "$root/sys" "$root/dev" "$root/qt" 2>/dev/null || true
    findmnt -R "$root" >/dev/null 2>&1 && { echo "still mounted under $root; left in place" >&2; return; }
    rm -rf "$root"
}
trap cleanup EXIT
tar -x -C "$root" -f "$tarball"
# What every installed system has and mmdebstrap leaves out: the name server,
# and /etc/hosts with localhost (WebDriver's clients reach their driver there).
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp /etc/hosts "$root/etc/hosts"
git clone -q "$here" "$root/src"
git -C "$root/src" checkout -q "$(git rev-parse HEAD)"
mount -t proc proc "$root/proc"
# Slaves of the machine's own mounts, so that unmounting them here leaves those alone.
mount --rbind /sys "$root/sys"
mount --make-rslave "$root/sys"
mount --rbind /dev "$root/dev"
mount --make-rslave "$root/dev"

# The Qt build the route would otherwise make first.
env=(PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8)
if [ "$route" != arm64 ]; then
    variable=PARKING_${route^^}_QT
    qt=${!variable:-$here/build/qt-$route}
    mkdir -p "$qt" "$root/qt"
    mount --bind "$qt" "$root/qt"
    env+=("$variable=/qt")
fi
echo "== tools/cross-$route.sh in a clean Debian 12 root ($root)"
status=0
chroot "$root" /usr/bin/env -i "${env[@]}" bash -c 'cd /src && "tools/cross-$0.sh" "$@"' "$route" "$@" || status=$?
rm -rf "build/clean-root-$route"
[ -d "$root/src/build/$route" ] && cp -r "$root/src/build/$route" "build/clean-root-$route"
[ "$status" -eq 0 ] && echo "== tools/cross-$route.sh passed in a clean root" ||
    echo "FAIL: tools/cross-$route.sh ended with status $status in a clean root" >&2
exit "$status"
