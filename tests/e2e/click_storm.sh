# Clicks at machine speed over every button but quit, 2,000 at a time with no
# delay between them, while a sound server plays the cues: the program
# survives without a sanitizer report, the next cue is heard whole, and quit
# still ends it cleanly. Three rounds, each a new program and a new order.
source "$(dirname "$0")/lib.sh"
start_sound_server

# Where the main window's buttons are clicked, by name as click does, quit
# (Command3) left out.
for n in 1 2 $(seq 4 21); do
    read -r x y w h <<<"$(place "Command$n")"
    echo $((origin_x + x + w / 2)) $((origin_y + y + h / 4))
done >"$SCRATCH/buttons"

for round in 1 2 3; do
    start_program
    /usr/bin/python3 - "$SCRATCH/buttons" "$round" >"$SCRATCH/clicks" <<'PY'
import random, sys
buttons = [line.split() for line in open(sys.argv[1])]
pick = random.Random(int(sys.argv[2]))
for _ in range(2000):
    x, y = pick.choice(buttons)
    print("mousemove", x, y, "click --delay 0 1", end=" ")
PY
    # shellcheck disable=SC2046
    xdotool $(cat "$SCRATCH/clicks")
    sleep 1
    kill -0 "$program_pid" 2>/dev/null || fail "round $round: the program died under the clicks"
    no_sanitizer_report "round $round"
    # The help window's close button, where the storm left it open; it
    # covers the die.
    click_help Command1 || true
    sleep 0.2
    still_answers "round $round"

    record_start "$SCRATCH/recorded.wav"
    sleep 2.5 # the last cue of the storm ends
    click Command21 # HELP
    sleep 1.2
    record_stop
    sox "$SCRATCH/recorded.wav" "$SCRATCH/last.wav" trim 2.4
    heard=$(heard_seconds "$SCRATCH/last.wav")
    expected=$(heard_seconds "$chime")
    echo "round $round: HELP after the storm heard for $heard s of $expected s"
    awk -v e="$expected" -v h="$heard" 'BEGIN { exit !(h - e < 0.03 && e - h < 0.03) }' ||
        fail "round $round: the cue after the storm was heard for $heard s"
    xdotool key space # close the help window, which has the focus
    sleep 0.2
    quit_exits_within 2 "round $round"
    no_sanitizer_report "round $round, on the way out"
done
echo "click storm: ok"
