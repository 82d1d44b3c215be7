# The regularity of the die's ticks and the area each tick repainted, as
# "FIGURE WHO VALUE" lines for bench/run.sh.
#   ticks.py TICKS REPAINTS SECONDS WHO
import sys

ticks_file, repaint_file, seconds, who = sys.argv[1], sys.argv[2], float(sys.argv[3]), sys.argv[4]
ticks = [int(line) for line in open(ticks_file) if line.strip()]
# The ticks of the first `seconds` from the first tick: ideally 100 a second.
ticks = [t for t in ticks if t - ticks[0] < seconds * 1e9]
gaps = sorted((b - a) / 1e6 for a, b in zip(ticks, ticks[1:]))
span = (ticks[-1] - ticks[0]) / 1e6
print("tick_mean_ms", who, "%.3f" % (sum(gaps) / len(gaps)))
print("tick_p99_ms", who, "%.3f" % gaps[min(len(gaps) - 1, int(0.99 * len(gaps)))])
print("tick_max_ms", who, "%.3f" % gaps[-1])
print("ticks_in_window", who, len(ticks))
print("tick_drift_pct", who, "%.3f" % (100 * (span - 10 * (len(ticks) - 1)) / (10 * (len(ticks) - 1))))
areas = sorted(int(line) for line in open(repaint_file) if line.strip())
print("repaint_px_median", who, areas[len(areas) // 2] if areas else 0)
print("repaint_px_max", who, areas[-1] if areas else 0)
