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
