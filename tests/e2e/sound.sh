# The cues are really heard: a sound server of our own with a null sink, whose
# monitor is recorded while HELP is pressed in the real program. The chime must
# arrive whole, within 30 ms of its file's length, also for a user's own file.
source "$(dirname "$0")/lib.sh"

pulseaudio --daemonize=no -n --exit-idle-time=-1 --disallow-exit --log-target=stderr \
    --load=module-native-protocol-unix --load="module-null-sink sink_name=test_null" \
    >"$SCRATCH/pulse.log" 2>&1 &
pulse=$!
trap 'kill "$pulse" 2>/dev/null || true' EXIT
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.05; done
pactl info >/dev/null 2>&1 || fail "the sound server did not start: $(cat "$SCRATCH/pulse.log")"
pactl set-default-sink test_null

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

# The program's own cue, found beside the program.
press_help_and_record "$SCRATCH/own"
check_whole "$(dirname "$PROGRAM")/pinpon.wav" "the program's own chime"

# A user's file in the current folder, loud to its last sample.
mkdir -p "$SCRATCH/user"
sox -n -r 48000 -b 16 -c 2 "$SCRATCH/user/pinpon.wav" synth 0.3 sine 880 synth 0.3 sine 660 : synth 0.3 sine 660 vol 0.5
press_help_and_record "$SCRATCH/user"
check_whole "$SCRATCH/user/pinpon.wav" "a user's own chime"
echo "sound: ok"
