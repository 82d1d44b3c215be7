# Small screens, as old classroom projectors have (800x600), with no window
# manager to move anything. First the screen changes under the running
# program, with both windows open, as when a projector is plugged in or its
# resolution is lowered mid-lesson: shrunk to 1280x1024, where both windows
# still fit and stay put; then to 800x600, where both come back onto the
# screen, where a program started on that screen places them, with every
# control on the screen. The main window is 608 pixels high, so it lies at the
# top and loses its last 8 rows, blank but for the lowest label's last pixel
# row, which is that label's empty lower edge: one row of overhang is allowed
# there. Then under a window manager: both windows' frames, title bars first,
# lie on the screen.
source "$(dirname "$0")/lib.sh"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

# screen_size WxH: the X server's screen becomes that size, as a RandR client does.
screen_size() {
    xrandr --output screen --mode "$1"
    local width height
    for _ in $(seq 50); do
        read -r width height < <(xdotool getdisplaygeometry)
        [ "${width}x${height}" = "$1" ] && return 0
        sleep 0.05
    done
    fail "the screen stayed ${width}x${height}, not $1"
}
xrandr --newmode 1280x1024 109 1280 1368 1496 1712 1024 1027 1034 1063 >/dev/null
xrandr --newmode 800x600 38.25 800 832 912 1024 600 603 607 624 >/dev/null
for mode in 1280x1024 800x600; do xrandr --addmode screen "$mode"; done

# where_windows: "X,Y X,Y", the client areas' corners of the main and the help window.
where_windows() {
    local main help
    main=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {print x "," $NF}')
    help=$(xwininfo -id "$(xdotool search --onlyvisible --name 'ヘルプ' | head -n 1)" |
        awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {print x "," $NF}')
    echo "$main $help"
}

# open_help: HELP, clicked where the main window lies now.
open_help() {
    eval "$(xdotool getwindowgeometry --shell "$window")"
    origin_x=$X origin_y=$Y
    click Command21
    seen_within 3000 'ヘルプ' || fail "HELP opened no window"
    sleep 0.3
}

start_program
open_help
before=$(where_windows)
screen_size 1280x1024
sleep 0.5
[ "$(where_windows)" = "$before" ] || fail "on a smaller screen where they fit, the windows moved from $before to $(where_windows)"
screen_size 800x600
for _ in $(seq 20); do [ "$(where_windows)" != "$before" ] && break; sleep 0.1; done
shrunk=$(where_windows)
sleep 0.3
/usr/bin/python3 "$(dirname "$0")/extents.py" >"$SCRATCH/extents"
stop_program

count=$(wc -l <"$SCRATCH/extents")
[ "$count" -gt 100 ] || fail "only $count controls were found"
grep -q $'push button\t閉じる' "$SCRATCH/extents" || fail "the help window's close button was not found"
outside=$(awk -F'\t' '$1 != "filler" && $1 != "frame" && $1 != "window" {
    split($3, b, " "); if (b[1] < 0 || b[2] < 0 || b[1] + b[3] > 800 || b[2] + b[4] > 600 + ($1 == "label")) print }' \
    "$SCRATCH/extents")
[ -z "$outside" ] || fail "off the shrunk screen:"$'\n'"$outside"

start_program
open_help
[ "$(where_windows)" = "$shrunk" ] ||
    fail "on the shrunk screen the windows lie at $shrunk, started there at $(where_windows)"
echo "small screen: from $before to $shrunk, as when started there; $count controls, all on the screen"
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
origin_x=$x origin_y=$y
click Command21
seen_within 3000 'ヘルプ' || fail "HELP opened no window under the window manager"
title_bar_on_screen "$(xdotool search --onlyvisible --name 'ヘルプ' | head -n 1)" "help window"
stop_program
stop_window_manager
