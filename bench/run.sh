#!/usr/bin/env bash
# Measures the program against a bare Qt Widgets baseline of the same window
# size, in turns, on an X server of its own, and prints one table of medians
# with min and max. Nothing here asserts a time: it only measures.
#   bench/run.sh           the full run (a few minutes)
#   bench/run.sh --quick   a short run of every figure, to check it works
# The mouse pointer stays parked outside both windows while anything is
# measured: a pointer over the window changes what each repaint costs.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/deps.sh
ensure_build_deps
ensure_packages "${display_packages[@]}" valgrind python3 pulseaudio pulseaudio-utils

if [ "${1:-}" = --quick ]; then
    runs=3 busy_seconds=2 rest_seconds=1 tick_seconds=2 measured_ticks=30 cue_runs=2 startup_counts=1
else
    runs=11 busy_seconds=10 rest_seconds=5 tick_seconds=60 measured_ticks=300 cue_runs=11 startup_counts=3
fi

cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release -j"$(nproc)" --target bench_parking_dice bench_baseline layout_table >/dev/null
ours=build-release/bench/bench_parking_dice baseline=build-release/bench/bench_baseline

scratch=$(mktemp -d /tmp/parking-bench.XXXXXX)
cleanup() {
    for process in ${pid:-} ${listener:-} ${silence:-} ${pulse:-} ${server:-}; do
        kill "$process" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
mkdir -m 700 "$scratch/runtime" "$scratch/home"
exec 3>"$scratch/display"
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 >/dev/null 2>&1 &
server=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.05; done
exec 3>&-
export DISPLAY=":$(cat "$scratch/display")" HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
results="$scratch/results"
: >"$results"
record() { echo "$1 $2 $3" >>"$results"; } # FIGURE WHO VALUE

# stamped COMMAND...: runs COMMAND in the background with the monotonic clock
# taken just before exec into $scratch/stamp; sets pid.
stamped() {
    /usr/bin/python3 -c 'import os, sys, time
open(sys.argv[1], "w").write(str(time.clock_gettime_ns(time.CLOCK_MONOTONIC)))
os.execvp(sys.argv[2], sys.argv[2:])' "$scratch/stamp" "$@" >/dev/null 2>&1 &
    pid=$!
}
program_of() { [ "$1" = ours ] && echo "$ours" || echo "$baseline"; }
launch() { # WHO ENV...
    local who=$1
    shift
    stamped env "$@" "$(program_of "$who")"
}

wait_for_file() { # FILE [SECONDS]
    for _ in $(seq $((${2:-10} * 100))); do [ -s "$1" ] && return 0; sleep 0.01; done
    return 1
}
finish() { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
# Every thread of the process: nanoseconds on a CPU, and context switches.
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{n += $1} END {print n}'; }
switches() { cat /proc/"$1"/task/*/status | awk '/ctxt_switches/ {n += $2} END {print n}'; }
lines() { wc -l <"$1"; }
# on_screen NAME [DOWN]: where to click the main window's control NAME, found
# in the program's layout table: its middle, or DOWN pixels below its top.
build-release/tests/layout_table >"$scratch/layout"
on_screen() {
    awk -v name="$1" -v down="${2:-}" '$1 == name { print 257 + $2 + int($4 / 2), 99 + $3 + (down == "" ? int($5 / 2) : down) }' \
        "$scratch/layout"
}
park() { xdotool mousemove 1270 1010; }
press_roll() { xdotool mousemove $(on_screen Command4) click 1; park; }
press_stop() { xdotool mousemove $(on_screen Command1) click 1; park; }
park

echo "Start-up and memory: $runs runs each, in turns" >&2
for _ in $(seq "$runs"); do
    for who in ours baseline; do
        shown="$scratch/$who.frame"
        rm -f "$shown"
        launch $who PARKING_BENCH_FIRST_FRAME="$shown"
        wait_for_file "$shown" || { echo "$who showed no frame" >&2; exit 1; }
        record startup_ms $who "$(awk -v a="$(cat "$scratch/stamp")" -v b="$(cat "$shown")" 'BEGIN {printf "%.2f", (b - a) / 1e6}')"
        sleep 1
        record memory_mb $who "$(awk '/VmHWM/ {printf "%.1f", $2 / 1024}' "/proc/$pid/status")"
        finish
    done
done

echo "CPU and context switches while the die runs (${busy_seconds} s) and at rest (${rest_seconds} s)" >&2
for who in ours baseline; do
    ticks="$scratch/$who.busy-ticks"
    launch $who PARKING_BENCH_TICKS="$ticks"
    sleep 1
    [ $who = ours ] && press_roll
    sleep 0.3
    cpu=$(cpu_ns "$pid") switched=$(switches "$pid") ticked=$(lines "$ticks")
    sleep "$busy_seconds"
    cpu=$(($(cpu_ns "$pid") - cpu)) switched=$(($(switches "$pid") - switched)) ticked=$(($(lines "$ticks") - ticked))
    record cpu_running_pct $who "$(awk -v n="$cpu" -v s="$busy_seconds" 'BEGIN {printf "%.2f", n / s / 1e7}')"
    record tick_cpu_us $who "$(awk -v n="$cpu" -v t="$ticked" 'BEGIN {printf "%.1f", n / t / 1e3}')"
    record tick_switches $who "$(awk -v n="$switched" -v t="$ticked" 'BEGIN {printf "%.2f", n / t}')"
    if [ $who = ours ]; then
        press_stop
        sleep 0.5
        cpu=$(cpu_ns "$pid")
        sleep "$rest_seconds"
        record cpu_rest_pct $who "$(awk -v n=$(($(cpu_ns "$pid") - cpu)) -v s="$rest_seconds" 'BEGIN {printf "%.2f", n / s / 1e7}')"
    fi
    finish
done

echo "Ticks over ${tick_seconds} s, and the area repainted per tick" >&2
for who in ours baseline; do
    launch $who PARKING_BENCH_TICKS="$scratch/$who.ticks" PARKING_BENCH_REPAINT="$scratch/$who.repaint"
    sleep 1
    [ $who = ours ] && press_roll
    sleep "$tick_seconds"
    [ $who = ours ] && press_stop
    sleep 0.2
    finish
    /usr/bin/python3 bench/ticks.py "$scratch/$who.ticks" "$scratch/$who.repaint" "$tick_seconds" $who >>"$results"
done

echo "Instructions under callgrind: to the first frame, and per tick over $measured_ticks ticks" >&2
for who in ours baseline; do
    # Several runs: when X events come in together a second repaint can slip
    # in before the first frame's stamp, which the median leaves out.
    for _ in $(seq "$startup_counts"); do
        PARKING_BENCH_QUIT_AFTER_FRAME=1 valgrind --tool=callgrind --callgrind-out-file="$scratch/$who.startup" \
            "$(program_of $who)" >/dev/null 2>&1 || true
        record startup_minstr $who "$(awk '/^totals:/ {printf "%.1f", $2 / 1e6; exit}' "$scratch/$who.startup")"
    done
    shown="$scratch/$who.callgrind-frame"
    stamped env PARKING_BENCH_FIRST_FRAME="$shown" PARKING_BENCH_MEASURE_TICKS="20 $measured_ticks" \
        timeout 600 valgrind --tool=callgrind --callgrind-out-file="$scratch/$who.ticks-callgrind" \
        --collect-atstart=no --toggle-collect='benchMeasuredTicks*' "$(program_of $who)"
    wait_for_file "$shown" 120 || { echo "$who showed no frame under callgrind" >&2; exit 1; }
    [ $who = ours ] && press_roll
    wait "$pid" || true
    record tick_kinstr $who "$(awk -v t="$measured_ticks" '/^totals:/ {printf "%.1f", $2 / t / 1e3; exit}' "$scratch/$who.ticks-callgrind")"
done

source bench/cue_latency.sh
measure_cue_latency

/usr/bin/python3 bench/table.py "$results"
