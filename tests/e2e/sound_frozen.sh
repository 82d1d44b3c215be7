# A sound server that stops answering (kill -STOP, as a hung server or
# Bluetooth sink does) never holds up the window: HELP opens its window within
# a second, reset and the die work, quit ends the program at once with status
# 0. When the server wakes up, at most the newest cue is heard, and the next
# one plays whole, however long the stall was.
source "$(dirname "$0")/lib.sh"
export QT_LOGGING_RULES="parking.sound.debug=true" # what the sound thread did, should it fail
start_sound_server

works_while_frozen() { # WHAT
    help_appears "$1"
    click Command2 # 初期化
    still_answers "$1"
    click Command3 # 終了, answered No
    seen_within 1000 '^ソラミネの実験$' || fail "no quit question: $1"
    xdotool key Escape
    sleep 0.2
    still_answers "$1, after quit answered No"
}

# Frozen before the program starts: its first look for the output waits.
kill -STOP "$pulse"
start_program
works_while_frozen "server frozen before the first cue"
quit_exits_within 2 "server frozen before the first cue"
no_sanitizer_report "server frozen before the first cue"
kill -CONT "$pulse"

# Three cues pressed while the server is frozen after a first one played.
# The recording runs throughout, as streams started after the server wakes
# would begin too late to hear what it plays first.
start_program
record_start "$SCRATCH/woken.wav"
help_appears "before the server froze"
sleep 1.5
kill -STOP "$pulse"
for _ in 1 2 3; do help_appears "three cues while frozen"; done
kill -CONT "$pulse"
sleep 3
record_stop
sox "$SCRATCH/woken.wav" "$SCRATCH/after.wav" trim 1.2 # after the first cue
woken=$(heard_seconds "$SCRATCH/after.wav")
echo "heard after the server woke: $woken s"
awk -v h="$woken" -v e="$(heard_seconds "$chime")" 'BEGIN { exit !(h < e + 0.03) }' ||
    fail "more than one cue was heard after the server woke: $woken s"

help_is_heard "the first cue after the server woke"

stop_program

# Between cues the output closes, so that a server which lets an idle device
# sleep can do so (its monitor then loses the start of a sound, so this is a
# server of its own).
kill "$pulse"
wait "$pulse" 2>/dev/null || true
start_sound_server "module-suspend-on-idle timeout=1"
start_program
help_appears "with a server that suspends idle devices"
suspended=no
for _ in $(seq 60); do
    if pactl list sinks short | grep -q 'test_null.*SUSPENDED'; then suspended=yes; break; fi
    sleep 0.1
done
[ "$suspended" = yes ] || fail "the sink did not suspend after the cue: $(pactl list sinks short)"
stop_program

# Frozen in the middle of a cue, for longer than the sound server client's
# own 30 s time-out, with presses all through the stall; once the server
# answers again, the next cue is heard whole, and quit ends the program at
# once.
start_program
click Command21 # HELP: the chime starts
sleep 0.1
kill -STOP "$pulse"
xdotool key space
stall_end=$(($(date +%s) + 35))
while [ "$(date +%s)" -lt "$stall_end" ]; do
    works_while_frozen "server frozen in a cue"
    sleep 2
done
kill -CONT "$pulse"
help_is_heard "the first cue after a stall of 35 s"
quit_exits_within 2 "after a stall of 35 s"
no_sanitizer_report "after a stall of 35 s"
echo "frozen sound server: ok"
