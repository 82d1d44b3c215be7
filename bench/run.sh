#!/usr/bin/env bash
# Measures the program against a bare Qt Widgets baseline of the same window
# size, in turns, on an X server of its own, and prints one table of medians
# with min and max. Nothing here asserts a time: it only measures.
#   bench/run.sh           the full run (a few minutes)
#   bench/run.sh --quick   a short run of every figure, to check it works
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/deps.sh
ensure_packages "${build_packages[@]}" "${display_packages[@]}" valgrind python3

if [ "${1:-}" = --quick ]; then
    runs=3 busy_seconds=2 rest_seconds=1 tick_seconds=2
else
    runs=11 busy_seconds=10 rest_seconds=5 tick_seconds=60
fi

cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release -j"$(nproc)" --target bench_parking_dice bench_baseline >/dev/null
ours=build-release/bench/bench_parking_dice baseline=build-release/bench/bench_baseline

scratch=$(mktemp -d /tmp/parking-bench.XXXXXX)
cleanup() {
    [ -n "${server:-}" ] && kill "$server" 2>/dev/null
    pkill -f "$scratch" 2>/dev/null || true
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

# launch WHO ENV...: starts a program with the monotonic clock taken just
# before exec; sets pid and stamp.
launch() {
    local who=$1 program
    shift
    program=$([ "$who" = ours ] && echo "$ours" || echo "$baseline")
    stamp="$scratch/$who.exec"
    env "$@" /usr/bin/python3 -c 'import os, sys, time
open(sys.argv[1], "w").write(str(time.clock_gettime_ns(time.CLOCK_MONOTONIC)))
os.execv(sys.argv[2], sys.argv[2:])' "$stamp" "$program" >/dev/null 2>&1 &
    pid=$!
}

wait_for_file() { for _ in $(seq 1000); do [ -s "$1" ] && return 0; sleep 0.01; done; return 1; }
finish() { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hertz=$(getconf CLK_TCK)
press_roll() { xdotool mousemove $((257 + 144)) $((99 + 272)) click 1; }
press_stop() { xdotool mousemove $((257 + 296)) $((99 + 272)) click 1; }

echo "Start-up and memory: $runs runs each, in turns" >&2
for _ in $(seq "$runs"); do
    for who in ours baseline; do
        painted="$scratch/$who.paint"
        rm -f "$painted"
        launch $who PARKING_BENCH_FIRST_PAINT="$painted"
        wait_for_file "$painted" || { echo "$who did not paint" >&2; exit 1; }
        record startup_ms $who "$(awk -v a="$(cat "$stamp")" -v b="$(cat "$painted")" 'BEGIN {printf "%.2f", (b - a) / 1e6}')"
        sleep 1
        record memory_mb $who "$(awk '/VmHWM/ {printf "%.1f", $2 / 1024}' "/proc/$pid/status")"
        finish
    done
done

echo "CPU while the die runs (${busy_seconds} s) and at rest (${rest_seconds} s)" >&2
for who in ours baseline; do
    launch $who
    sleep 1
    [ $who = ours ] && press_roll
    sleep 0.2
    before=$(cpu_ticks "$pid")
    sleep "$busy_seconds"
    record cpu_running_pct $who "$(awk -v t=$(($(cpu_ticks "$pid") - before)) -v s="$busy_seconds" -v h="$hertz" 'BEGIN {printf "%.2f", 100 * t / h / s}')"
    if [ $who = ours ]; then
        press_stop
        sleep 0.5
        before=$(cpu_ticks "$pid")
        sleep "$rest_seconds"
        record cpu_rest_pct $who "$(awk -v t=$(($(cpu_ticks "$pid") - before)) -v s="$rest_seconds" -v h="$hertz" 'BEGIN {printf "%.2f", 100 * t / h / s}')"
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
    /usr/bin/python3 - "$scratch/$who.ticks" "$tick_seconds" "$who" >>"$results" <<'PY'
import sys
ticks = [int(line) for line in open(sys.argv[1]) if line.strip()]
seconds, who = float(sys.argv[2]), sys.argv[3]
# The ticks of the first `seconds` from the first tick: ideally 100 a second.
ticks = [t for t in ticks if t - ticks[0] < seconds * 1e9]
gaps = sorted((b - a) / 1e6 for a, b in zip(ticks, ticks[1:]))
span = (ticks[-1] - ticks[0]) / 1e6
print("tick_mean_ms", who, "%.3f" % (sum(gaps) / len(gaps)))
print("tick_p99_ms", who, "%.3f" % gaps[min(len(gaps) - 1, int(0.99 * len(gaps)))])
print("tick_max_ms", who, "%.3f" % gaps[-1])
print("ticks_in_window", who, len(ticks))
print("tick_drift_pct", who, "%.3f" % (100 * (span - 10 * (len(ticks) - 1)) / (10 * (len(ticks) - 1))))
PY
    /usr/bin/python3 - "$scratch/$who.repaint" "$who" >>"$results" <<'PY'
import sys
areas = sorted(int(line) for line in open(sys.argv[1]) if line.strip())
print("repaint_px_median", sys.argv[2], areas[len(areas) // 2] if areas else 0)
print("repaint_px_max", sys.argv[2], areas[-1] if areas else 0)
PY
done

echo "Instructions to the first frame under callgrind" >&2
for who in ours baseline; do
    program=$([ "$who" = ours ] && echo "$ours" || echo "$baseline")
    PARKING_BENCH_QUIT_AFTER_PAINT=1 valgrind --tool=callgrind --callgrind-out-file="$scratch/$who.callgrind" \
        "$program" >/dev/null 2>&1 || true
    record startup_minstr $who "$(awk '/^summary:|^totals:/ {printf "%.1f", $2 / 1e6; exit}' "$scratch/$who.callgrind")"
done

/usr/bin/python3 - "$results" "$runs" <<'PY'
import statistics, sys
rows = {}
for line in open(sys.argv[1]):
    figure, who, value = line.split()
    rows.setdefault(figure, {}).setdefault(who, []).append(float(value))
labels = [
    ("startup_ms", "start-up to first paint, ms"),
    ("startup_minstr", "start-up instructions, millions"),
    ("memory_mb", "peak resident memory at idle, MB"),
    ("cpu_running_pct", "CPU while the die runs, % of a core"),
    ("cpu_rest_pct", "CPU at rest, % of a core"),
    ("tick_mean_ms", "tick interval mean, ms"),
    ("tick_p99_ms", "tick interval p99, ms"),
    ("tick_max_ms", "tick interval max, ms"),
    ("ticks_in_window", "ticks in the window (100 a second ideal)"),
    ("tick_drift_pct", "drift of the run against 10 ms a tick, %"),
    ("repaint_px_median", "pixels repainted per tick, median"),
    ("repaint_px_max", "pixels repainted per tick, max"),
]
def cell(values):
    if not values:
        return "-"
    middle = statistics.median(values)
    if len(values) == 1:
        return "%g" % middle
    return "%g (%g-%g)" % (middle, min(values), max(values))
print("%-38s %-24s %-24s %s" % ("figure (median (min-max))", "program", "baseline", "ratio"))
for key, label in labels:
    figure = rows.get(key, {})
    ours, base = figure.get("ours", []), figure.get("baseline", [])
    ratio = "-"
    if ours and base and statistics.median(base) > 0:
        ratio = "%.2f" % (statistics.median(ours) / statistics.median(base))
    print("%-38s %-24s %-24s %s" % (label, cell(ours), cell(base), ratio))
PY
