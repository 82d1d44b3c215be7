# Both parking areas and a move count, driven by the real mouse.
source "$(dirname "$0")/lib.sh"
start_program

# Space 3 of each area: the car's body is blue, its window cyan.
left_car_x=88 right_car_x=336 car_y=424
shot
background=$(pixel $((left_car_x + 10)) $((car_y + 12)))
[ "$background" != 0000ff ] || fail "a car is shown before any press"

click Command7 # ③ of the fixed-space area
for _ in 1 2 3; do click Command17; done # the back-first button of space 3, to ③
shot
expect_pixel $((left_car_x + 10)) $((car_y + 12)) 0000ff "car 3 parked in the left area"
expect_pixel $((left_car_x + 10)) $((car_y + 5)) 00ffff "car 3's front window in the left area"
expect_pixel $((right_car_x + 10)) $((car_y + 12)) 0000ff "car 3 parked in the right area"
expect_pixel $((left_car_x + 10)) $((car_y + 12 - 48)) "$background" "no car in space 5"
button_before=$(region 281 425 39 31)
[ "$(dark_pixels 281 425 39 31)" -gt 10 ] || fail "the right button of space 3 shows no mark"

click car9 # take the car out by its picture
shot
expect_pixel $((right_car_x + 10)) $((car_y + 12)) "$background" "the right car after its picture was clicked"
expect_pixel $((left_car_x + 10)) $((car_y + 12)) 0000ff "the left car after the right picture was clicked"
[ "$(region 281 425 39 31)" != "$button_before" ] || fail "the right button still shows its mark"

count_zero=$(region 145 321 47 31)
click Command11 # ↑ of the left count
shot
[ "$(region 145 321 47 31)" != "$count_zero" ] || fail "↑ did not change the left count"
click Command12 # ↓
shot
[ "$(region 145 321 47 31)" = "$count_zero" ] || fail "↓ did not bring the left count back to 0"
stop_program
echo "parking: ok"
