# On an 800x600 screen, as old classroom projectors have, with no window
# manager to move anything: every control of both windows lies on the screen.
# The main window is 608 pixels high, so it opens at the top and loses its
# last 8 rows, blank but for the lowest label's last pixel row, which is that
# label's empty lower edge: one row of overhang is allowed there.
# Then under a window manager: both windows' frames, title bars first, lie
# on the screen, and so does every button.
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

# frame WINDOW: the frame's top-left corner and the client area's bottom edge,
# "X Y BOTTOM", once the window manager has framed the window.
frame() {
    local x y height left right top bottom
    read -r x y height < <(xwininfo -id "$1" |
        awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF} /Height/ {h = $NF}
             END {print x, y, h}')
    read -r left right top bottom < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.* = //p' | tr -d ,)
    [ -n "${top:-}" ] && echo $((x - left)) $((y - top)) $((y + height))
}

# on_screen WINDOW WHAT: within a few seconds, the frame's corner lies on the screen.
on_screen() {
    local corner=""
    for _ in $(seq 50); do
        corner=$(frame "$1") || true
        if [ -n "$corner" ]; then
            read -r fx fy bottom <<<"$corner"
            [ "$fx" -ge 0 ] && [ "$fy" -ge 0 ] && break
        fi
        sleep 0.1
    done
    [ -n "$corner" ] || fail "$2 was never framed"
    [ "$fx" -ge 0 ] && [ "$fy" -ge 0 ] || fail "$2's frame starts at ($fx, $fy), off the screen"
    echo "$2: frame at ($fx, $fy), client area down to $bottom"
}

start_window_manager
start_program
on_screen "$window" "main window"
read -r left top < <(xwininfo -id "$window" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {print x, $NF}')
xdotool mousemove $((left + 400)) $((top + 6)) click 1 # HELP
seen_within 3000 'ヘルプ' || fail "HELP opened no window under the window manager"
help_window=$(xdotool search --onlyvisible --name 'ヘルプ' | head -n 1)
on_screen "$help_window" "help window"
[ "$bottom" -le "$height" ] || fail "the help window reaches below the screen, to $bottom"
/usr/bin/python3 "$(dirname "$0")/extents.py" >"$SCRATCH/extents"
outside=$(awk -F'\t' -v w="$width" -v h="$height" '$1 == "push button" {
    split($3, b, " "); if (b[1] < 0 || b[2] < 0 || b[1] + b[3] > w || b[2] + b[4] > h) print }' "$SCRATCH/extents")
[ -z "$outside" ] || fail "buttons off the screen under the window manager:"$'\n'"$outside"
stop_program
stop_window_manager
