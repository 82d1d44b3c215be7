#!/usr/bin/env bash
# The benchmark runs and prints its table; its figures are not judged here.
set -euo pipefail
output=$("$(dirname "$0")/../bench/run.sh" --quick 2>/dev/null)
echo "$output"
grep -q '^figure (median (min-max))' <<<"$output" || { echo "FAIL: no table" >&2; exit 1; }
for figure in 'start-up to first frame shown' 'start-up instructions' 'peak resident memory' \
    'instructions per die tick' 'CPU per die tick' 'context switches per die tick' 'CPU while the die runs' \
    'CPU at rest' 'tick interval p99' 'drift of the run' 'pixels repainted per tick' \
    'HELP click to first chime sample, first cue' 'HELP click to first chime sample, later cue'; do
    grep "^$figure" <<<"$output" | grep -q '[0-9]' || { echo "FAIL: no figure for $figure" >&2; exit 1; }
done
