#!/usr/bin/env bash
# Runs one end-to-end test against the built program on an X server of its
# own, with a private session bus and scratch home and runtime folders, so
# that nothing is written into the real home folder.
#   with_display.sh PROGRAM TEST_SCRIPT
set -euo pipefail
program=$1 script=$2

scratch=$(mktemp -d /tmp/parking-e2e.XXXXXX)
mkdir -m 700 "$scratch/runtime" "$scratch/home" "$scratch/config"
cleanup() {
    [ -n "${server:-}" ] && kill "$server" 2>/dev/null
    wait 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

exec 3>"$scratch/display"
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 "${XVFB_SCREEN:-1280x1024x24}" >"$scratch/xvfb.log" 2>&1 &
server=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.05; done
[ -s "$scratch/display" ] || { echo "Xvfb did not start" >&2; cat "$scratch/xvfb.log" >&2; exit 1; }
exec 3>&-

export DISPLAY=":$(cat "$scratch/display")"
export HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime" XDG_CONFIG_HOME="$scratch/config"
export PROGRAM=$program SCRATCH=$scratch
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
dbus-run-session -- bash "$script"
