# Helpers for the end-to-end tests: start the built program, read the screen,
# click with the real mouse. Sourced by each test; DISPLAY, PROGRAM and SCRATCH
# come from with_display.sh.
set -euo pipefail

# Where the main window's client area opens on the screen.
origin_x=257 origin_y=99

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# start_program [DIR]: starts the program in DIR (default: a scratch folder)
# and waits until its main window is mapped. Sets program_pid and window.
start_program() {
    local dir=${1:-$SCRATCH/cwd}
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

# start_sound_server: a sound server of this test's own with a null sink,
# ended when the test ends.
start_sound_server() {
    pulseaudio --daemonize=no -n --exit-idle-time=-1 --disallow-exit --log-target=stderr \
        --load=module-native-protocol-unix --load="module-null-sink sink_name=test_null" \
        >"$SCRATCH/pulse.log" 2>&1 &
    pulse=$!
    trap 'kill "$pulse" 2>/dev/null || true' EXIT
    for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.05; done
    pactl info >/dev/null 2>&1 || fail "the sound server did not start: $(cat "$SCRATCH/pulse.log")"
    pactl set-default-sink test_null
}

# heard_seconds FILE: length of the sound in FILE, silence trimmed at both ends.
heard_seconds() {
    sox "$1" -c 1 "$SCRATCH/trimmed.wav" silence 1 0.002 1% reverse silence 1 0.002 1% reverse 2>/dev/null
    soxi -D "$SCRATCH/trimmed.wav" 2>/dev/null || echo 0
}

# press_help_and_record DIR: the program started in DIR, HELP pressed once.
press_help_and_record() {
    start_program "$1"
    parecord --latency-msec=20 --device=test_null.monitor --file-format=wav "$SCRATCH/recorded.wav" &
    local recorder=$!
    sleep 0.4
    click_at 400 6 # HELP
    sleep 1.6
    kill -INT "$recorder"
    wait "$recorder" || true
    stop_program
}

check_whole() { # FILE WHAT
    local expected heard
    expected=$(heard_seconds "$1")
    heard=$(heard_seconds "$SCRATCH/recorded.wav")
    echo "$2: file $expected s, heard $heard s"
    awk -v e="$expected" -v h="$heard" 'BEGIN { exit !(e > 0.1 && h > 0 && (h - e < 0.03 && e - h < 0.03)) }' ||
        fail "$2 was heard for $heard s, not the file's $expected s"
}

