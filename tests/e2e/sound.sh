# The cues are really heard: a sound server of our own with a null sink, whose
# monitor is recorded while HELP is pressed in the real program. The chime must
# arrive whole, within 30 ms of its file's length, also for a user's own file.
source "$(dirname "$0")/lib.sh"

start_sound_server

# The program's own cue, found beside the program.
press_help_and_record "$SCRATCH/own"
check_whole "$(dirname "$PROGRAM")/../share/parking-dice/sounds/pinpon.wav" "the program's own chime"

# A user's file in the current folder, loud to its last sample.
mkdir -p "$SCRATCH/user"
sox -n -r 48000 -b 16 -c 2 "$SCRATCH/user/pinpon.wav" synth 0.3 sine 880 synth 0.3 sine 660 : synth 0.3 sine 660 vol 0.5
press_help_and_record "$SCRATCH/user"
check_whole "$SCRATCH/user/pinpon.wav" "a user's own chime"
echo "sound: ok"
