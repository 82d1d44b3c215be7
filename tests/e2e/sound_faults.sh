# Without any sound server, and with one that is killed while a cue plays,
# reset, HELP and quit answered No go on working and the die still runs.
source "$(dirname "$0")/lib.sh"

press_all_cues() { # WHAT
    click_at 460 6 # 初期化
    click_at 400 6 # HELP
    timeout 10 xdotool search --sync --onlyvisible --name 'ヘルプ' >/dev/null || fail "HELP opened no window: $1"
    sleep 0.2
    xdotool key space # its focused close button: the help window covers the die buttons
    sleep 0.3
    click_at 28 6 # 終了
    timeout 10 xdotool search --sync --onlyvisible --name '^ソラミネの実験$' >/dev/null || fail "no quit question: $1"
    xdotool key Escape
    sleep 0.3
    still_answers "$1"
}

# No sound server at all.
start_program
press_all_cues "without a sound server"
stop_program

# A server that goes away in the middle of a cue.
start_sound_server
start_program
click_at 400 6 # HELP: the chime starts
sleep 0.15
kill -9 "$pulse"
wait "$pulse" 2>/dev/null || true
sleep 0.2
xdotool key space # close the help window again
press_all_cues "after the sound server went away"
stop_program
echo "sound faults: ok"
