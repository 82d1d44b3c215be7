#!/usr/bin/env bash
# Makes the screenshots of the teacher's guide from the real program on an X
# server of its own, with real clicks:  tools/guide_screenshots.sh [PROGRAM [FOLDER]]
# (default build/bin/parking-dice and docs/guide). It plays the experiment by
# its rules, roll after roll, until a roll needs a car moved aside, and shows
# that roll step by step: 1-roll.png, 2-stop.png, 3-park-left.png,
# 4-park-right.png, 5-count.png; 0-start.png is the window as it opens.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${SCRATCH:-}" ]; then
    program=$(realpath "${1:-$here/build/bin/parking-dice}")
    export GUIDE_OUT
    GUIDE_OUT=$(realpath "${2:-$here/docs/guide}")
    mkdir -p "$GUIDE_OUT"
    exec "$here/tests/e2e/with_display.sh" "$program" "$here/tools/guide_screenshots.sh"
fi
source "$here/tests/e2e/lib.sh"

save() { import -window "$window" "$GUIDE_OUT/$1.png"; }

# Window coordinates of the buttons' centres and of the cars' pictures.
# Spaces 1 and 2 are next to the road, 5 and 6 at the back; odd spaces are in
# the left lane. The right area is the left one moved 248 pixels.
space_x() { (($1 % 2)) && echo 52 || echo 188; }
space_y() { echo $((488 - 48 * (($1 - 1) / 2))); }
car_x() { (($1 % 2)) && echo 99 || echo 139; }
press_left() { click_at "$(space_x "$1")" "$(space_y "$1")"; }
press_right() { click_at $(($(space_x "$1") + 248)) "$(space_y "$1")"; }
click_right_car() { click_at $(($(car_x "$1") + 248)) "$(space_y "$1")"; }

# The face shown, from the die's pips: face 1 has one red pip, the others
# black pips of 37 pixels each.
face() {
    local colours
    colours=$(import -window "$window" -crop 32x33+384+256 +repage -depth 8 txt:- | tail -n +2)
    if grep -qi '#FF0000' <<<"$colours"; then echo 1; else echo $(($(grep -ci '#000000' <<<"$colours") / 37)); fi
}

# blocked SPACE OCCUPIED...: whether a car stands nearer the road in the lane.
blocked() {
    local space=$1 nearer
    shift
    local -a taken=("$@")
    for ((nearer = space - 2; nearer >= 1; nearer -= 2)); do
        [ "${taken[nearer]}" != 0 ] && return 0
    done
    return 1
}

fixed=(0 0 0 0 0 0 0)   # per space: 1 when its car is parked
right=(0 0 0 0 0 0 0)   # per space: the car parked there, 0 for none
step=(0 0 0 0 0 0 0)    # per space: the step its button shows

start_program "$SCRATCH/cwd"
save 0-start
for roll in $(seq 40); do
    click_at 144 272 # サイコロころがる
    sleep 0.4
    save 1-roll
    click_at 296 272 # サイコロ止まる
    sleep 0.2
    car=$(face)
    [[ $car =~ ^[1-6]$ ]] || fail "roll $roll: no face read from the die ($car)"
    left_move=0 right_move=0
    blocked "$car" "${fixed[@]}" && left_move=1

    # The back-first area: the car leaves from where it stands, or takes the
    # deepest free space, in the left lane when both lanes are as deep.
    space=0
    for k in 1 2 3 4 5 6; do [ "${right[k]}" = "$car" ] && space=$k; done
    if [ "$space" = 0 ]; then
        for k in 5 3 1; do [ "${right[k]}" = 0 ] && { space=$k; break; }; done
        for k in 6 4 2; do
            [ "${right[k]}" = 0 ] || continue
            ((space == 0 || (k - 1) / 2 > (space - 1) / 2)) && space=$k
            break
        done
        [ "$space" != 0 ] || fail "no free space for car $car"
    fi
    blocked "$space" "${right[@]}" && right_move=1

    if ((left_move + right_move)); then save 2-stop; fi
    press_left "$car"
    fixed[car]=$((1 - fixed[car]))
    if ((left_move + right_move)); then save 3-park-left; fi
    if [ "${right[space]}" = "$car" ]; then
        click_right_car "$space"
        right[space]=0
        step=(7 7 7 7 7 7 7)
    else
        current=${step[space]}
        if ((current == 0 || current == 7)); then presses=$car
        elif ((current < car)); then presses=$((car - current))
        else presses=$((7 - current + car)); fi
        for ((i = 0; i < presses; i++)); do press_right "$space"; done
        right[space]=$car step[space]=$car
    fi
    if ((left_move + right_move)); then
        save 4-park-right
        ((left_move)) && click_at 108 336   # ↑ of the left count
        ((right_move)) && click_at 356 336  # ↑ of the right count
        save 5-count
        stop_program
        echo "guide screenshots: roll $roll, car $car, moves left $left_move right $right_move"
        exit 0
    fi
done
fail "no roll in 40 needed a car moved aside"
