#!/usr/bin/env bash
# Builds the program in build/ and starts it. Without a display it starts on a
# virtual one of its own, saves a screenshot to build/screenshot.png and ends.
set -euo pipefail
cd "$(dirname "$0")"
source tools/deps.sh

ensure_build_deps
[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || ensure_packages "${display_packages[@]}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" >/dev/null

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/bin/parking-dice
fi

scratch=$(mktemp -d)
trap 'kill "${program:-}" "${server:-}" 2>/dev/null || true; rm -rf "$scratch"' EXIT
exec 3>"$scratch/display"
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
for _ in $(seq 50); do [ -s "$scratch/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$scratch/display")"
mkdir -m 700 "$scratch/runtime"
HOME="$scratch" XDG_RUNTIME_DIR="$scratch/runtime" build/bin/parking-dice &
program=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name 'ソラミネとシミュレーション' | head -n 1)
sleep 0.5
import -window "$window" build/screenshot.png
echo "No display here: the program ran on a virtual one; its screenshot is build/screenshot.png"
