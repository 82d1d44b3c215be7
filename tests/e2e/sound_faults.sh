# The sound server goes away and comes back: without any server at start,
# and after the server was killed in the middle of a cue, reset, HELP and
# quit answered No go on working and the die still runs; once a server is
# there again (the first one, or a new one after the crash), the next cue is
# heard whole, without restarting the program. Where Qt runs without glib's
# event loop, which the server's client runs on, no cue is heard and the
# sound log says why. SOUND_SERVER chooses the server (lib.sh).
source "$(dirname "$0")/lib.sh"
export QT_LOGGING_RULES="parking.sound.debug=true" # what the sound thread did, should it fail

press_all_cues() { # WHAT
    click Command2 # 初期化
    click Command21 # HELP
    timeout 10 xdotool search --sync --onlyvisible --name 'ヘルプ' >/dev/null || fail "HELP opened no window: $1"
    sleep 0.2
    xdotool key space # its focused close button: the help window covers the die buttons
    sleep 0.3
    click Command3 # 終了
    timeout 10 xdotool search --sync --onlyvisible --name '^ソラミネの実験$' >/dev/null || fail "no quit question: $1"
    xdotool key Escape
    sleep 0.3
    still_answers "$1"
}

start_program
press_all_cues "without a sound server"
start_sound_server
help_is_heard "the first cue after a sound server came up"

click Command21 # HELP: the chime starts
sleep 0.15
kill_sound_server
sleep 0.2
xdotool key space # close the help window again
press_all_cues "after the sound server went away"
start_sound_server
help_is_heard "the first cue after the sound server was restarted"
grep -q 'sound server found again' "$SCRATCH/program.log" || fail "the sound log does not say the server was found again"
stop_program

QT_NO_GLIB=1 start_program
press_all_cues "without glib's event loop"
grep -q 'not heard: .*QT_NO_GLIB' "$SCRATCH/program.log" || fail "the sound log does not say why no cue is heard"
stop_program
echo "sound faults (${SOUND_SERVER:-pulseaudio}): ok"
