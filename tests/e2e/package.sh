# The Debian package: its dependencies and files, the validators on its desktop
# entry and metadata, and the program run from the unpacked package, whose
# HELP cue comes from the package's own sound folder.
source "$(dirname "$0")/lib.sh"

build=$(dirname "$PROGRAM")/..
cpack --config "$build/CPackConfig.cmake" -B "$SCRATCH/package" >"$SCRATCH/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -n 5 "$SCRATCH/cpack.log")"
deb=$(ls "$SCRATCH"/package/*.deb)

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6multimedia6 libsndfile1 qt6-qpa-plugins fonts-ipafont-gothic; do
    [[ $depends == *"$needed"* ]] || fail "the package does not depend on $needed: $depends"
done
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in usr/bin/parking-dice usr/lib/parking-dice/libparking-dice-sound.so usr/share/parking-dice/sounds/pinpon.wav usr/share/parking-dice/sounds/endpinpon.wav \
    usr/share/applications/org.parkingdice.ParkingDice.desktop \
    usr/share/metainfo/org.parkingdice.ParkingDice.metainfo.xml \
    usr/share/icons/hicolor/{32x32,64x64,128x128,256x256}/apps/org.parkingdice.ParkingDice.png; do
    grep -qx "./$file" <<<"$contents" || fail "the package lacks $file"
done

root="$SCRATCH/root"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/org.parkingdice.ParkingDice.desktop" ||
    fail "the desktop entry does not validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.parkingdice.ParkingDice.metainfo.xml" >"$SCRATCH/as.log" ||
    fail "the metadata does not validate: $(cat "$SCRATCH/as.log")"
for size in 32 64 128 256; do
    [ "$(identify -format '%wx%h' "$root/usr/share/icons/hicolor/${size}x$size/apps/org.parkingdice.ParkingDice.png")" = "${size}x$size" ] ||
        fail "the $size icon has the wrong size"
done
# Scaled by whole pixels: the 256 icon holds no colour the 32 icon lacks.
colours() { convert "$1" -unique-colors -depth 8 txt:- | tail -n +2 | awk '{print $3}' | sort; }
[ "$(colours "$root/usr/share/icons/hicolor/256x256/apps/org.parkingdice.ParkingDice.png")" = \
    "$(colours "$root/usr/share/icons/hicolor/32x32/apps/org.parkingdice.ParkingDice.png")" ] ||
    fail "the large icon was smoothed"

start_sound_server
PROGRAM="$root/usr/bin/parking-dice"
mkdir -p "$SCRATCH/empty"
press_help_and_record "$SCRATCH/empty"
check_whole "$root/usr/share/parking-dice/sounds/pinpon.wav" "the installed chime"
echo "package: ok"
