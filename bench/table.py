# Prints bench/run.sh's results ("FIGURE WHO VALUE" lines) as one table of
# medians (min-max) with the program's ratio to the baseline.
import statistics, sys

rows = {}
for line in open(sys.argv[1]):
    figure, who, value = line.split()
    rows.setdefault(figure, {}).setdefault(who, []).append(float(value))
labels = [
    ("startup_ms", "start-up to first frame shown, ms"),
    ("startup_minstr", "start-up instructions, millions"),
    ("memory_mb", "peak resident memory at idle, MB"),
    ("tick_kinstr", "instructions per die tick, thousands"),
    ("tick_cpu_us", "CPU per die tick, microseconds"),
    ("tick_switches", "context switches per die tick"),
    ("cpu_running_pct", "CPU while the die runs, % of a core"),
    ("cpu_rest_pct", "CPU at rest, % of a core"),
    ("tick_mean_ms", "tick interval mean, ms"),
    ("tick_p99_ms", "tick interval p99, ms"),
    ("tick_max_ms", "tick interval max, ms"),
    ("ticks_in_window", "ticks in the window (100 a second ideal)"),
    ("tick_drift_pct", "drift of the run against 10 ms a tick, %"),
    ("repaint_px_median", "pixels repainted per tick, median"),
    ("repaint_px_max", "pixels repainted per tick, max"),
    ("cue_first_ms", "HELP click to first chime sample, first cue, ms"),
    ("cue_later_ms", "HELP click to first chime sample, later cue, ms"),
]


def cell(values):
    if not values:
        return "-"
    middle = statistics.median(values)
    if len(values) == 1:
        return "%g" % middle
    return "%g (%g-%g)" % (middle, min(values), max(values))


print("%-48s %-24s %-24s %s" % ("figure (median (min-max))", "program", "baseline", "ratio"))
for key, label in labels:
    figure = rows.get(key, {})
    ours, base = figure.get("ours", []), figure.get("baseline", [])
    ratio = "-"
    if ours and base and statistics.median(base) > 0:
        ratio = "%.2f" % (statistics.median(ours) / statistics.median(base))
    print("%-48s %-24s %-24s %s" % (label, cell(ours), cell(base), ratio))
