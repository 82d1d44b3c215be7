# On an 800x600 screen, as old classroom projectors have, with no window
# manager to move anything: every control of both windows lies on the screen.
# The main window is 608 pixels high, so it opens at the top and loses its
# last 8 rows, blank but for the lowest label's last pixel row, which is that
# label's empty lower edge: one row of overhang is allowed there.
# Then under a window manager: both windows' frames, title bars first, lie
# on the screen.
source "$(dirname "$0")/lib.sh"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_program
xdotool windowactivate --sync "$window" 2>/dev/null || true
read -r width height < <(xdotool getdisplaygeometry)
[ "$width" = 800 ] && [ "$height" = 600 ] || fail "the screen is ${width}x${height}, not 800x600"
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 400)) $((Y + 6)) click 1 # HELP
seen_within 3000 'ヘルプ' || fail "HELP opened no window"
sleep 0.3
/usr/bin/python3 "$(dirname "$0")/extents.py" >"$SCRATCH/extents"
count=$(wc -l <"$SCRATCH/extents")
[ "$count" -gt 100 ] || fail "only $count controls were found"
grep -q $'push button\t閉じる' "$SCRATCH/extents" || fail "the help window's close button was not found"
outside=$(awk -F'\t' -v w="$width" -v h="$height" '$1 != "filler" && $1 != "frame" && $1 != "window" {
    split($3, b, " "); if (b[1] < 0 || b[2] < 0 || b[1] + b[3] > w || b[2] + b[4] > h + ($1 == "label")) print }' \
    "$SCRATCH/extents")
[ -z "$outside" ] || fail "off the screen:"$'\n'"$outside"
echo "small screen: $count controls, all on the screen"
stop_program

# title_bar_on_screen WINDOW WHAT: once framed, within a few seconds, the
# frame's top-left corner (client area less _NET_FRAME_EXTENTS) is on the screen.
title_bar_on_screen() {
    local left top # x and y, the client area's corner, stay set
    for _ in $(seq 50); do
        read -r x y < <(xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {print x, $NF}')
        read -r left _ top _ < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.* = //p' | tr -d ,) || true
        [ -n "${top:-}" ] && [ $((x - left)) -ge 0 ] && [ $((y - top)) -ge 0 ] && break
        sleep 0.1
    done
    [ -n "${top:-}" ] || fail "$2 was never framed"
    [ $((x - left)) -ge 0 ] && [ $((y - top)) -ge 0 ] || fail "$2's frame starts at ($((x - left)), $((y - top)))"
    echo "$2: frame at ($((x - left)), $((y - top))), client area at ($x, $y)"
}

start_window_manager
start_program
title_bar_on_screen "$window" "main window"
xdotool mousemove $((x + 400)) $((y + 6)) click 1 # HELP
seen_within 3000 'ヘルプ' || fail "HELP opened no window under the window manager"
title_bar_on_screen "$(xdotool search --onlyvisible --name 'ヘルプ' | head -n 1)" "help window"
stop_program
stop_window_manager
