# The program's window on a real X server: place, size, first look, and the die
# driven by real mouse clicks.
source "$(dirname "$0")/lib.sh"
start_program

read -r x y w h < <(xdotool getwindowgeometry --shell "$window" | awk -F= '{v[$1]=$2} END {print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"]}')
[ "$x,$y" = "257,99" ] || fail "window at $x,$y"
[ "${w}x$h" = "490x608" ] || fail "window is ${w}x$h"

shot
expect_pixel $((384 + 15)) $((256 + 15)) ff0000 "face 1's red pip"
expect_pixel $((384 + 2)) $((256 + 2)) ffffff "face 1's white corner"
expect_pixel 135 5 ffff00 "the yellow title"
expect_pixel 80 400 000000 "the left wall of the fixed-space area"
[ "$(dark_pixels 128 0 233 25)" -gt 50 ] || fail "the title has no text"
[ "$(dark_pixels 146 58 29 21)" -eq 0 ] || fail "the first log cell is not empty"

die=$(place Image1)
die_at_rest=$(region $die)
click Command4 # roll
changed=no
for _ in $(seq 20); do
    shot
    [ "$(region $die)" != "$die_at_rest" ] && { changed=yes; break; }
    sleep 0.05
done
[ $changed = yes ] || fail "the die does not run after roll"
click Command1 # stop
shot
[ "$(dark_pixels 146 58 29 21)" -gt 5 ] || fail "stop wrote no digit into the first log cell"
[ "$(dark_pixels 178 58 29 21)" -eq 0 ] || fail "stop wrote into the second log cell"
sleep 0.2
settled=$(region $die)
sleep 0.2
shot
[ "$(region $die)" = "$settled" ] || fail "the die still moves after stop"
stop_program
echo "window: ok"
