# The cross-built arm64 program, unpacked from its package into ARM64_ROOT, run
# under qemu with Debian's multiarch libraries, beside the amd64 build on one X
# server: the same round through AT-SPI's actions, and each step's client
# areas the same, pixel for pixel.
source "$(dirname "$0")/lib.sh"
play x11 "$SCRATCH/amd64"
play x11 "$SCRATCH/arm64" qemu-aarch64-static -L / "$ARM64_ROOT/usr/bin/parking-dice"
areas=0
for area in "$SCRATCH/amd64"/*.ppm; do
    cmp -s "$area" "$SCRATCH/arm64/${area##*/}" || fail "on arm64, ${area##*/} is not as on amd64"
    areas=$((areas + 1))
done
[ "$areas" -eq 5 ] || fail "$areas client areas compared, not 5"
echo "arm64: ok, $areas client areas as on amd64"
