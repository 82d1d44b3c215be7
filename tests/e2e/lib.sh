# Helpers for the end-to-end tests: start the built program, read the screen,
# click with the real mouse. Sourced by each test; DISPLAY, PROGRAM and SCRATCH
# come from with_display.sh.
set -euo pipefail

# Where the main window's client area opens on the screen.
origin_x=257 origin_y=99

fail() {
    echo "FAIL: $*" >&2
    [ -s "${SCRATCH:-}/program.log" ] && { echo "-- the program said:" >&2; tail -n 60 "$SCRATCH/program.log" >&2; }
    exit 1
}

# start_program [DIR]: starts the program in DIR (default: a scratch folder)
# and waits until its main window is mapped. Sets program_pid and window.
# The layout is read first, so that no timed click waits for it.
start_program() {
    local dir=${1:-$SCRATCH/cwd}
    [ -s "$SCRATCH/layout" ] || layout_table >"$SCRATCH/layout"
    mkdir -p "$dir"
    (cd "$dir" && exec "$PROGRAM") >"$SCRATCH/program.log" 2>&1 &
    program_pid=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '簡単なソラミネとシミュレーション' | head -n 1) ||
        fail "the main window did not appear"
    sleep 0.3 # first paint
}

stop_program() {
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
}

# start_window_manager: Openbox frames the windows from now on (with a title
# bar and borders, as on a desktop), until stop_window_manager.
start_window_manager() {
    openbox --sm-disable >"$SCRATCH/openbox.log" 2>&1 &
    window_manager=$!
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.05
    done
    fail "the window manager did not start: $(cat "$SCRATCH/openbox.log")"
}

stop_window_manager() {
    kill "$window_manager" 2>/dev/null || true
    wait "$window_manager" 2>/dev/null || true
}

shot() { import -window root "$SCRATCH/shot.png"; }

# pixel X Y: colour of a pixel of the last shot, window coordinates, as rrggbb.
pixel() {
    convert "$SCRATCH/shot.png" -crop "1x1+$((origin_x + $1))+$((origin_y + $2))" -depth 8 txt:- |
        sed -n '2s/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | tr 'A-F' 'a-f'
}

expect_pixel() { # X Y COLOUR WHAT
    local seen
    seen=$(pixel "$1" "$2")
    [ "$seen" = "$3" ] || fail "$4: pixel ($1, $2) is $seen, not $3"
}

# region X Y W H: a fingerprint of part of the last shot.
region() {
    convert "$SCRATCH/shot.png" -crop "${3}x${4}+$((origin_x + $1))+$((origin_y + $2))" -depth 8 rgb:- | md5sum | cut -c1-32
}

# dark_pixels X Y W H: how many pixels of the region are nearly black (text).
dark_pixels() {
    convert "$SCRATCH/shot.png" -crop "${3}x${4}+$((origin_x + $1))+$((origin_y + $2))" -colorspace Gray \
        -threshold 40% -negate -format '%[fx:int(mean*w*h+0.5)]' info:
}

click_at() { # X Y, window coordinates
    xdotool mousemove $((origin_x + $1)) $((origin_y + $2)) click 1
    sleep 0.15
}

# The main window's controls by name, as the program's own layout places them:
# layout_table (built with the tests; for an installed program, that of a
# build of these sources) prints NAME LEFT TOP WIDTH HEIGHT in pixels.
sources=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
scale=1 # screen pixels a window pixel
layout_table() {
    local tool
    for tool in "${PARKING_LAYOUT_TABLE:-}" "$(dirname "${PROGRAM:-.}")/../tests/layout_table" \
        "$sources"/obj-*/tests/layout_table "$sources/build/tests/layout_table"; do
        [ -x "$tool" ] && { "$tool"; return; }
    done
    fail "no layout_table: build the tests first"
}

# place NAME: "LEFT TOP WIDTH HEIGHT" of control NAME, read once a test.
place() {
    [ -s "$SCRATCH/layout" ] || layout_table >"$SCRATCH/layout"
    local found
    found=$(awk -v name="$1" '$1 == name {print $2, $3, $4, $5}' "$SCRATCH/layout")
    [ -n "$found" ] || fail "no control named $1"
    echo "$found"
}

# click NAME: a real click on control NAME, across its middle and a quarter
# down: the help window, when open, covers the lower half of the top bar.
click() {
    local found x y w h
    found=$(place "$1") || exit 1
    read -r x y w h <<<"$found"
    click_at $(((x + w / 2) * scale)) $(((y + h / 4) * scale))
}

# click_help NAME: a real click on the middle of control NAME of the help
# window (Form2.NAME in the layout), wherever the window is on the screen;
# false where no help window is open.
click_help() {
    local help found x y w h X Y
    help=$(xdotool search --onlyvisible --name 'ヘルプ' | head -n 1) || return 1
    eval "$(xdotool getwindowgeometry --shell "$help" | grep -E '^[XY]=')"
    found=$(place "Form2.$1") || exit 1
    read -r x y w h <<<"$found"
    xdotool mousemove $((X + (x + w / 2) * scale)) $((Y + (y + h / 2) * scale)) click 1
    sleep 0.15
}

# start_sound_server [MODULE...]: a sound server of this test's own with a
# null sink as its default output and any further modules, ended when the
# test ends. SOUND_SERVER=pipewire starts PipeWire with its PulseAudio server
# instead (further modules are PulseAudio's own and not loaded there); called
# again after the PulseAudio server ($pulse) was killed, it starts a new one.
start_sound_server() {
    if [ "${SOUND_SERVER:-pulseaudio}" = pipewire ]; then
        if [ -z "${graph:-}" ] || ! kill -0 "$graph" 2>/dev/null; then
            pipewire >"$SCRATCH/pipewire.log" 2>&1 &
            graph=$!
            for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/pipewire-0" ] && break; sleep 0.05; done
            wireplumber >"$SCRATCH/wireplumber.log" 2>&1 &
            session=$!
        fi
        pipewire-pulse >"$SCRATCH/pulse.log" 2>&1 &
        pulse=$!
    else
        local extra=() module
        for module in "$@"; do extra+=(--load="$module"); done
        pulseaudio --daemonize=no -n --exit-idle-time=-1 --disallow-exit --log-target=stderr \
            --load=module-native-protocol-unix --load="module-null-sink sink_name=test_null" \
            "${extra[@]}" \
            >"$SCRATCH/pulse.log" 2>&1 &
        pulse=$!
    fi
    trap 'kill "$pulse" ${graph:-} ${session:-} 2>/dev/null || true' EXIT
    for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.05; done
    pactl info >/dev/null 2>&1 || fail "the sound server did not start: $(cat "$SCRATCH/pulse.log")"
    if [ "${SOUND_SERVER:-pulseaudio}" = pipewire ] && ! pactl list sinks short | grep -q test_null; then
        pactl load-module module-null-sink sink_name=test_null >/dev/null
    fi
    for _ in $(seq 50); do pactl set-default-sink test_null 2>/dev/null && break; sleep 0.1; done
}

# kill_sound_server: the PulseAudio server ends at once, as in a crash.
kill_sound_server() {
    kill -9 "$pulse"
    wait "$pulse" 2>/dev/null || true
}

# heard_seconds FILE: length of the sound in FILE, silence trimmed at both ends.
heard_seconds() {
    sox "$1" -c 1 "$SCRATCH/trimmed.wav" silence 1 0.002 1% reverse silence 1 0.002 1% reverse 2>/dev/null
    soxi -D "$SCRATCH/trimmed.wav" 2>/dev/null || echo 0
}

# record_start FILE: records what the null sink plays. A silent stream keeps
# the sink busy meanwhile: an idle null sink's monitor delivers nothing, and
# the first stream on it starts late. Returns once samples arrive.
record_start() {
    recording=$1
    rm -f "$recording" # an earlier recording's size would pass for this one's start
    pacat --playback --raw --format=s16le --rate=48000 --channels=2 /dev/zero &
    silence=$!
    parecord --latency-msec=20 --device=test_null.monitor --file-format=wav "$recording" &
    recorder=$!
    for _ in $(seq 100); do
        [ "$(stat -c %s "$recording" 2>/dev/null || echo 0)" -gt 20000 ] && return 0
        sleep 0.03
    done
    fail "the recording did not start"
}

record_stop() {
    kill -INT "$recorder"
    wait "$recorder" || true
    kill "$silence"
    wait "$silence" 2>/dev/null || true
}

# press_help_and_record DIR: the program started in DIR, HELP pressed once.
press_help_and_record() {
    start_program "$1"
    record_start "$SCRATCH/recorded.wav"
    click Command21 # HELP
    sleep 1.2
    record_stop
    stop_program
}

# The program's own chime, as built.
chime="$(dirname "${PROGRAM:-.}")/../share/parking-dice/sounds/pinpon.wav"

# help_is_heard WHAT: a press of HELP in the running program sounds the chime
# whole; the help window is closed again.
help_is_heard() {
    ! xdotool search --onlyvisible --name 'ヘルプ' >/dev/null || fail "the help window is open already: $1"
    record_start "$SCRATCH/recorded.wav"
    click Command21
    seen_within 1000 'ヘルプ' || fail "HELP opened no window: $1"
    sleep 1.2
    record_stop
    check_whole "$chime" "$1"
    xdotool key space
    sleep 0.2
}

check_whole() { # FILE WHAT
    local expected heard
    expected=$(heard_seconds "$1")
    heard=$(heard_seconds "$SCRATCH/recorded.wav")
    echo "$2: file $expected s, heard $heard s"
    awk -v e="$expected" -v h="$heard" 'BEGIN { exit !(e > 0.1 && h > 0 && (h - e < 0.03 && e - h < 0.03)) }' ||
        fail "$2 was heard for $heard s, not the file's $expected s"
}


# seen_within MILLISECONDS PATTERN: a visible window whose name matches
# appears in time (polled every 50 ms; xdotool's own --sync polls too slowly).
seen_within() {
    local deadline=$(($(date +%s%N) + $1 * 1000000))
    while [ "$(date +%s%N)" -lt "$deadline" ]; do
        xdotool search --onlyvisible --name "$2" >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    return 1
}

# still_answers WHAT: the program runs, and a roll moves the die within a second.
still_answers() {
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended: $1"
    shot
    local before
    before=$(region $(place Image1))
    click Command4 # roll
    for _ in $(seq 20); do
        shot
        if [ "$(region $(place Image1))" != "$before" ]; then
            click Command1 # stop
            return 0
        fi
        sleep 0.05
    done
    fail "the die does not run: $1"
}

# help_appears WHAT: HELP opens its window within a second of the press, and
# Space on its focused close button closes it again.
help_appears() {
    click Command21
    seen_within 1000 'ヘルプ' || fail "HELP's window took more than a second: $1"
    sleep 0.2
    xdotool key space
    sleep 0.2
}

# quit_exits_within SECONDS WHAT: quit answered Yes ends the program in time
# and with status 0.
quit_exits_within() {
    click Command3
    seen_within 1000 '^ソラミネの実験$' || fail "no quit question: $2"
    local start=$(date +%s%N)
    xdotool key Return
    while kill -0 "$program_pid" 2>/dev/null; do
        [ $(($(date +%s%N) - start)) -lt $(($1 * 1000000000)) ] || fail "still running $1 s after Yes: $2"
        sleep 0.05
    done
    local status=0
    wait "$program_pid" || status=$?
    [ "$status" -eq 0 ] || fail "ended with status $status after Yes: $2"
    echo "quit after Yes: $((($(date +%s%N) - start) / 1000000)) ms ($2)"
}

# no_sanitizer_report WHAT: the program's output holds no report of the
# address, leak or undefined-behaviour sanitizers (of a build with them).
no_sanitizer_report() {
    ! grep -q -E 'Sanitizer|runtime error:' "$SCRATCH/program.log" ||
        fail "$1: a sanitizer reported"$'\n'"$(grep -m 5 -A 12 -E 'Sanitizer|runtime error:' "$SCRATCH/program.log")"
}

# play MODE FOLDER [COMMAND...]: one round through same_steps.py (MODE x11
# keeps the client areas of each step in FOLDER, wayland finds them on the
# screen) on the program, or on COMMAND, which must end with status 0 on Yes.
# The die is seeded from the time of day at stop: every round sees one frozen
# wall clock, so all roll the same face. Timers run on the monotonic clock,
# which stays real.
play() {
    local mode=$1 folder=$2
    shift 2
    [ $# -gt 0 ] || set -- "$PROGRAM"
    mkdir -p "$SCRATCH/cwd" "$folder"
    (cd "$SCRATCH/cwd" && QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 FAKETIME_DONT_FAKE_MONOTONIC=1 exec faketime -f '2026-12-09 10:00:00' "$@") \
        >"$SCRATCH/program.log" 2>&1 &
    program_pid=$!
    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/same_steps.py" "$mode" "$folder" ||
        fail "the round ($mode, $*)"
    for _ in $(seq 50); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$program_pid" 2>/dev/null && fail "still running after Yes ($mode, $*)"
    wait "$program_pid" || fail "ended with status $? ($mode, $*)"
}

# Rounds played with real clicks on two builds, compared (windows.sh, web.sh).
# The round on an X server, frozen clock and all:
main_title='簡単なソラミネとシミュレーション'

# client_origin: where the main window's client area lies on the screen. Wine
# draws the frame inside its X window: even borders left, right and below.
client_origin() {
    read -r x y w h < <(xdotool getwindowgeometry --shell "$window" |
        awk -F= '{v[$1]=$2} END {print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"]}')
    local border=$(((w - 490) / 2))
    origin_x=$((x + border)) origin_y=$((y + h - 608 - border))
    [ $((w - 2 * border)) -eq 490 ] && [ "$origin_y" -ge "$y" ] || fail "a window of ${w}x$h holds no 490 x 608 client area"
}

# keep STEP: the client area once the screen stops changing (client_area).
keep() {
    local previous=""
    for _ in $(seq 50); do
        shot
        [ "$(md5sum <"$SCRATCH/shot.png")" = "$previous" ] && break
        previous=$(md5sum <"$SCRATCH/shot.png")
        sleep 0.1
    done
    client_area "$SCRATCH/shot.png" "$origin_x" "$origin_y" "$folder/$1.png"
}

# client_area SHOT X Y OUT: the main window's client area at X, Y of SHOT,
# with the window's own background colour (taken left of the lines) made
# magenta, so that the pictures compare whatever grey the platform paints
# behind them.
client_area() {
    local background
    background=$(convert "$1" -crop "1x1+$(($2 + 2))+$(($3 + 300))" -depth 8 txt:- |
        sed -n '2s/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p')
    convert "$1" -crop "490x608+$2+$3" +repage -fill '#ff00ff' -opaque "#$background" "$4"
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

# compare_rounds LINUX_FOLDER OTHER_FOLDER: the client areas kept after each
# step of two rounds (start, result, fixed, back-first, after-help), alike on
# the pictures and the control places.
# The pictures, lines and walls, where no text is drawn: the die, both car
# parks with their cars, the lines above and below them and the road edges.
regions=("384 256 32 33" "76 356 90 168" "324 356 90 168" "8 294 473 5" "8 550 473 5" "24 518 193 5" "272 518 193 5")
compare_rounds() { # LINUX_FOLDER OTHER_FOLDER
    local step region x y w h linux other control
    for step in start result fixed back-first after-help; do
        for region in "${regions[@]}"; do
            read -r x y w h <<<"$region"
            linux=$(convert "$1/$step.png" -crop "${w}x$h+$x+$y" -depth 8 rgb:- | md5sum)
            other=$(convert "$2/$step.png" -crop "${w}x$h+$x+$y" -depth 8 rgb:- | md5sum)
            [ "$linux" = "$other" ] || fail "after $step, the part at $x,$y (${w}x$h) differs from the Linux build's"
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
    linux=$(drawn_box "$1/start.png" "$x" "$y" "$w" "$h")
    other=$(drawn_box "$2/start.png" "$x" "$y" "$w" "$h")
    [ "$linux" = "$other" ] || fail "the control at $x,$y (${w}x$h) is drawn in $other, on Linux in $linux"
done
echo "control places as in the Linux build: ${#controls[@]} controls"
}
