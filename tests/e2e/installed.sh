# The installed package: its icons, and the program as installed, whose HELP
# cue comes from the package's own sound folder when the folder it starts in
# has none. PROGRAM is /usr/bin/parking-dice.
source "$(dirname "$0")/lib.sh"

icons=/usr/share/icons/hicolor id=org.parkingdice.parkingdice
for size in 32 64 128 256; do
    [ "$(identify -format '%wx%h' "$icons/${size}x$size/apps/$id.png")" = "${size}x$size" ] ||
        fail "the $size icon has the wrong size"
done
# Scaled by whole pixels: the 256 icon holds no colour the 32 icon lacks.
colours() { convert "$1" -unique-colors -depth 8 txt:- | tail -n +2 | awk '{print $3}' | sort; }
[ "$(colours "$icons/256x256/apps/$id.png")" = "$(colours "$icons/32x32/apps/$id.png")" ] ||
    fail "the large icon was smoothed"

start_sound_server
mkdir -p "$SCRATCH/empty"
press_help_and_record "$SCRATCH/empty"
check_whole /usr/share/parking-dice/sounds/pinpon.wav "the installed chime"
echo "installed: ok"
