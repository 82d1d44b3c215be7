# The Windows build under Wine, beside the Linux build, on one X server: the
# MSI installed silently into a fresh Wine prefix, the same round played on
# both with real X clicks (roll, stop, the rolled car's fixed space, the same
# back-first space, HELP, quit and Yes), the client areas' pictures compared
# where no text is drawn, a cue heard through Wine's PulseAudio driver, then
# the silent uninstall.
#   MSI=FILE with_display.sh LINUX_PROGRAM tests/e2e/windows.sh
source "$(dirname "$0")/lib.sh"
wine=/usr/lib/wine/wine64
export WINEPREFIX=$SCRATCH/wine WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
installed="$WINEPREFIX/drive_c/Program Files/parking-dice"
main_title='簡単なソラミネとシミュレーション'
took() { echo "$1: $((SECONDS - since)) s"; since=$SECONDS; }
since=$SECONDS

start_sound_server
# A wineserver of the test's own, started before the frozen clock and ended
# with the test, so that only the program sees that clock.
mkdir -p "$WINEPREFIX"
/usr/lib/wine/wineserver64 -p
trap '/usr/lib/wine/wineserver64 -k 2>/dev/null; kill "$pulse" 2>/dev/null || true' EXIT
"$wine" wineboot -i >"$SCRATCH/wine.log" 2>&1 || fail "wineboot: $(tail -n 5 "$SCRATCH/wine.log")"
# No window manager runs here: Wine's windows are left unmanaged, or Wine
# waits 2 s for each closing window's withdrawn state that no manager sets.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
took "a fresh Wine prefix"
# versions VERSION...: the versions of the program the prefix has installed.
versions() {
    "$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null |
        tr -d '\r' | awk '/DisplayVersion/ { print $NF }' | sort | tr '\n' ' '
}
# An older version first, which a build of this version replaces; then the
# installer under test, another build of the same version, replaces that in
# turn, as when a school reinstalls a rebuilt 1.0.0: one entry each time.
cp "$OLDER_MSI" "$WINEPREFIX/drive_c/older.msi"
cp "$REBUILT_MSI" "$WINEPREFIX/drive_c/rebuilt.msi"
cp "$MSI" "$WINEPREFIX/drive_c/parking-dice.msi"
for msi in older rebuilt parking-dice; do
    before=$(versions)
    "$wine" msiexec /i "C:\\$msi.msi" /qn || fail "msiexec /i $msi.msi ended with status $?"
    [ "$msi" = older ] || [ "$(versions)" = "$VERSION " ] ||
        fail "$msi.msi installed over ${before:-nothing}: the prefix holds versions $(versions), not $VERSION alone"
done
[ -f "$installed/parking-dice.exe" ] && [ -f "$installed/sounds/pinpon.wav" ] || fail "nothing installed in $installed"
shortcut=$(find "$WINEPREFIX/drive_c" -name '駐車場のサイコロ実験.lnk' | head -n 1)
[ -n "$shortcut" ] || fail "no Start-menu shortcut"
took "silent install"

# A Windows process that lives through both rounds keeps Wine's own services
# running on the real clock: started by the program, they would run on its
# frozen one, and its OLE was seen to wait 10 s for an RPC service that did
# not start, at start-up and again at quit.
# It waits on a pipe the test holds open; the wineserver ends it with the test.
mkfifo "$SCRATCH/keep"
"$wine" cmd /c pause <"$SCRATCH/keep" >/dev/null 2>&1 &
exec 7>"$SCRATCH/keep"

# client_origin: where the main window's client area lies on the screen. Wine
# draws the frame inside its X window: even borders left, right and below.
client_origin() {
    read -r x y w h < <(xdotool getwindowgeometry --shell "$window" |
        awk -F= '{v[$1]=$2} END {print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"]}')
    local border=$(((w - 490) / 2))
    origin_x=$((x + border)) origin_y=$((y + h - 608 - border))
    [ $((w - 2 * border)) -eq 490 ] && [ "$origin_y" -ge "$y" ] || fail "a window of ${w}x$h holds no 490 x 608 client area"
}

# keep STEP: the client area once the screen stops changing, with the
# window's own background colour (taken left of the lines) made magenta, so
# that the pictures compare whatever grey the platform paints behind them.
keep() {
    local previous=""
    for _ in $(seq 50); do
        shot
        [ "$(md5sum <"$SCRATCH/shot.png")" = "$previous" ] && break
        previous=$(md5sum <"$SCRATCH/shot.png")
        sleep 0.1
    done
    convert "$SCRATCH/shot.png" -crop "490x608+$origin_x+$origin_y" +repage \
        -fill '#ff00ff' -opaque "#$(pixel 2 300)" "$folder/$1.png"
}

# round NAME COMMAND...: one round on the program COMMAND starts, its client
# areas kept in $SCRATCH/NAME. The wall clock is frozen, so both roll alike.
round() {
    folder=$SCRATCH/$1
    shift
    mkdir -p "$folder" "$SCRATCH/cwd"
    (cd "$SCRATCH/cwd" && QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 FAKETIME_DONT_FAKE_MONOTONIC=1 \
        exec faketime -f '2026-12-09 10:00:00' "$@") >"$SCRATCH/program.log" 2>&1 &
    program_pid=$!
    window=$(timeout 60 xdotool search --sync --onlyvisible --name "$main_title" | head -n 1) ||
        fail "the main window did not appear: $*"
    client_origin
    keep start
    click Command4 # roll
    sleep 0.3
    click Command1 # stop
    keep result
    if [ "$face" -eq 0 ]; then
        local rolled
        rolled=$(face_of_linux_round)
        [ -n "$rolled" ] || fail "no rolled face on the Linux build's log"
        face=$rolled
    fi
    click "Command$((4 + face))" # the fixed space of that car
    keep fixed
    click "Command$((14 + face))" # the back-first space in the same place
    keep back-first
    if [ -n "${record:-}" ]; then record_start "$SCRATCH/recorded.wav"; fi
    click Command21 # HELP
    seen_within 1000 'ヘルプ' || fail "HELP's window took more than a second: $*"
    # Its close button, clicked: Wine gives no window the keyboard without a
    # window manager.
    sleep 0.3
    click_help Command1
    for _ in $(seq 50); do xdotool search --onlyvisible --name 'ヘルプ' >/dev/null || break; sleep 0.1; done
    if [ -n "${record:-}" ]; then sleep 1; record_stop; fi
    keep after-help
    click Command3 # quit
    seen_within 3000 '^ソラミネの実験$' || fail "no quit question: $*"
    sleep 0.5
    shot
    local question
    question=$(xdotool search --onlyvisible --name '^ソラミネの実験$' | head -n 1)
    read -r qx qy qw qh < <(xdotool getwindowgeometry --shell "$question" |
        awk -F= '{v[$1]=$2} END {print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"]}')
    [ "$(dark_pixels $((qx - origin_x)) $((qy - origin_y)) "$qw" "$qh")" -gt 100 ] || fail "the quit question shows no text: $*"
    # Return on its default button, はい; the X focus given first, as no
    # window manager gives it to Wine.
    xdotool windowfocus --sync "$question" key Return
    for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$program_pid" 2>/dev/null; then
        [ -n "${KEEP:-}" ] && import -window root "$KEEP/still-running.png"
        fail "still running 10 s after Yes: $*"
    fi
    wait "$program_pid" || fail "ended with status $? after Yes: $*"
}

# The rolled face, read from the Linux build over AT-SPI once its die stopped.
face_of_linux_round() {
    PYTHONPATH=$(dirname "$0") /usr/bin/python3 -c '
import time
from a11y_tree import application, first_result
for _ in range(100):
    app = application()
    cell = app and first_result(app)
    if cell:
        print(cell.name[-1])
        break
    time.sleep(0.1)'
}

face=0
round linux "$PROGRAM"
record=yes
round windows "$wine" 'C:\Program Files\parking-dice\parking-dice.exe'
took "one round on each build"
[ -n "${KEEP:-}" ] && cp -r "$SCRATCH/linux" "$SCRATCH/windows" "$KEEP/"

# The pictures, lines and walls, where no text is drawn: the die, both car
# parks with their cars, the lines above and below them and the road edges.
regions=("384 256 32 33" "76 356 90 168" "324 356 90 168" "8 294 473 5" "8 550 473 5" "24 518 193 5" "272 518 193 5")
for step in start result fixed back-first after-help; do
    for region in "${regions[@]}"; do
        read -r x y w h <<<"$region"
        linux=$(convert "$SCRATCH/linux/$step.png" -crop "${w}x$h+$x+$y" -depth 8 rgb:- | md5sum)
        windows=$(convert "$SCRATCH/windows/$step.png" -crop "${w}x$h+$x+$y" -depth 8 rgb:- | md5sum)
        [ "$linux" = "$windows" ] || fail "after $step, the part at $x,$y (${w}x$h) differs from the Linux build's"
    done
done
echo "pictures as in the Linux build: ${#regions[@]} parts after each of 5 steps"

# Every control's place: the box of what is drawn around each button and boxed
# label (in pixels of the layout), the same on both at the start.
controls=("0 0 57 25" "376 0 57 25" "432 0 57 25" "72 256 145 33" "224 256 145 33" "48 328 25 25"
    "88 320 41 33" "296 328 25 25" "336 320 41 33" "128 0 233 25" "144 320 49 33" "392 320 49 33")
for top in 472 424 376; do controls+=("32 $top 41 33" "168 $top 41 33" "280 $top 41 33" "416 $top 41 33"); done
for top in 32 56 88 112 144 168 200 224; do controls+=("24 $top 121 25"); done
drawn_box() { # FILE X Y W H: what is drawn in and 2 pixels around the rectangle
    convert "$1" -crop "$(($4 + 4))x$(($5 + 4))+$(($2 - 2))+$(($3 - 2))" +repage -bordercolor '#ff00ff' -border 1 \
        -format '%@' info:
}
for control in "${controls[@]}"; do
    read -r x y w h <<<"$control"
    linux=$(drawn_box "$SCRATCH/linux/start.png" "$x" "$y" "$w" "$h")
    windows=$(drawn_box "$SCRATCH/windows/start.png" "$x" "$y" "$w" "$h")
    [ "$linux" = "$windows" ] || fail "the control at $x,$y (${w}x$h) is drawn in $windows, on Linux in $linux"
done
echo "control places as in the Linux build: ${#controls[@]} controls"

check_whole "$installed/sounds/pinpon.wav" "HELP's cue under Wine"

"$wine" msiexec /x 'C:\parking-dice.msi' /qn || fail "msiexec /x ended with status $?"
[ ! -e "$installed" ] || fail "left behind: $(find "$installed" | head)"
[ ! -e "$shortcut" ] || fail "the shortcut is left behind"
[ -z "$(versions)" ] || fail "still registered: $(versions)"
took "silent uninstall"
echo "windows: ok, rolled $face"
