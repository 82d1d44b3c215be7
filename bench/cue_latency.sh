# Sourced by bench/run.sh: the time from a click on HELP to the first sample
# of its chime at a null sink, for the first cue after start and for later
# ones. A sound server of the benchmark's own plays into the null sink, and a
# silent stream keeps that sink busy throughout: an idle null sink holds back
# any program's first stream by 1-1.5 s, which would be measured instead.
# The click goes through XTEST, like xdotool's, from bench/click.py, which
# takes its time just before the press (xdotool's own start takes tens of
# milliseconds here); a sample's time is when it arrives at the sink's
# monitor, read in blocks of at most 5 ms.

measure_cue_latency() {
    echo "HELP click to the chime: $cue_runs starts, a first cue and two later ones each" >&2
    pulseaudio --daemonize=no -n --exit-idle-time=-1 --disallow-exit --log-target=stderr \
        --load=module-native-protocol-unix --load="module-null-sink sink_name=bench_null" \
        >"$scratch/pulse.log" 2>&1 &
    pulse=$!
    for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.05; done
    pactl set-default-sink bench_null
    pacat --playback --raw --format=s16le --rate=48000 --channels=2 /dev/zero 2>/dev/null &
    silence=$!
    /usr/bin/python3 bench/onsets.py bench_null "$scratch/onsets" &
    listener=$!
    sleep 1

    local run cue clicked heard
    for run in $(seq "$cue_runs"); do
        rm -f "$scratch/cue.frame"
        launch ours PARKING_BENCH_FIRST_FRAME="$scratch/cue.frame"
        local program=$pid
        wait_for_file "$scratch/cue.frame" || { echo "no frame for the cue run" >&2; exit 1; }
        sleep 1 # a user's first click comes later than this
        for cue in first later later; do
            heard=$(lines "$scratch/onsets")
            # HELP's upper edge: the help window, once open, covers the rest.
            /usr/bin/python3 bench/click.py $(on_screen Command21 5) "$scratch/click"
            clicked=$(cat "$scratch/click")
            for _ in $(seq 300); do [ "$(lines "$scratch/onsets")" -gt "$heard" ] && break; sleep 0.01; done
            [ "$(lines "$scratch/onsets")" -gt "$heard" ] || { echo "no chime heard" >&2; exit 1; }
            record cue_${cue}_ms ours "$(tail -n 1 "$scratch/onsets" | awk -v c="$clicked" '{printf "%.1f", ($1 - c) / 1e6}')"
            park
            sleep 1.5 # the chime ends, and the silence before the next is long enough
        done
        pid=$program
        finish
    done
    kill "$listener" "$silence" "$pulse" 2>/dev/null || true
    wait "$listener" "$silence" "$pulse" 2>/dev/null || true
    listener='' silence='' pulse=''
}
