# On a screen scaled by 2 the window is twice the size, every control and line
# at twice its place, and the pictures scaled by whole pixels: each picture
# pixel a 2 x 2 block of one colour, the same picture as at scale 1.
source "$(dirname "$0")/lib.sh"

# crop FILE X Y W H OUT: part of a screenshot, in screen pixels.
crop() { convert "$1" -crop "${4}x${5}+$2+$3" +repage "$6"; }

# Scale 1: the die face and a parked car, for comparison.
start_program
click Command7 # ③ of the fixed-space area
shot
crop "$SCRATCH/shot.png" $((257 + 384)) $((99 + 256)) 32 33 "$SCRATCH/die1.png"
crop "$SCRATCH/shot.png" $((257 + 88)) $((99 + 424)) 22 32 "$SCRATCH/car1.png"
stop_program

export QT_SCALE_FACTOR=2
start_program
read -r x y w h < <(xdotool getwindowgeometry --shell "$window" | awk -F= '{v[$1]=$2} END {print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"]}')
[ "${w}x$h" = "980x1216" ] || fail "the scaled window is ${w}x$h"
[ "$x,$y" = "514,198" ] || fail "the scaled window is at $x,$y"
origin_x=514 origin_y=198 scale=2 # the helpers below now take screen pixels from here
click Command7
shot
expect_pixel $((2 * 135)) $((2 * 5)) ffff00 "the yellow title at twice its place"
expect_pixel $((2 * 80 - 5)) $((2 * 400)) 000000 "the left wall, ten pixels wide, left edge"
expect_pixel $((2 * 80 + 4)) $((2 * 400)) 000000 "the left wall, ten pixels wide, right edge"
[ "$(pixel $((2 * 80 - 6)) $((2 * 400)))" != 000000 ] || fail "the left wall is wider than ten pixels"
[ "$(pixel $((2 * 80 + 5)) $((2 * 400)))" != 000000 ] || fail "the left wall is wider than ten pixels"
expect_pixel $((2 * (384 + 15))) $((2 * (256 + 15))) ff0000 "face 1's red pip"

crop "$SCRATCH/shot.png" $((514 + 2 * 384)) $((198 + 2 * 256)) 64 66 "$SCRATCH/die2.png"
crop "$SCRATCH/shot.png" $((514 + 2 * 88)) $((198 + 2 * 424)) 44 64 "$SCRATCH/car2.png"
stop_program

for picture in die car; do
    convert "$SCRATCH/${picture}1.png" -sample 200% "$SCRATCH/${picture}1x2.png"
    difference=$(compare -metric AE "$SCRATCH/${picture}1x2.png" "$SCRATCH/${picture}2.png" null: 2>&1 || true)
    [ "$difference" = 0 ] || fail "the scaled $picture is not its picture in 2 x 2 blocks ($difference pixels differ)"
done
echo "scaled: ok"
