# The program as a native Wayland client on a real compositor: Weston with its
# headless backend and the pixman renderer. The same round is played through
# AT-SPI's actions on X11 and then on Wayland, and after each step the client
# areas of the windows on view must be the same, pixel for pixel.
source "$(dirname "$0")/lib.sh"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# The die is seeded from the time of day at stop: both runs see one frozen wall
# clock, so they roll the same face. Timers run on the monotonic clock, which
# stays real.
export FAKETIME_DONT_FAKE_MONOTONIC=1
frozen=(faketime -f '2026-12-09 10:00:00')
mkdir -p "$SCRATCH/cwd" "$SCRATCH/areas"

# play PLATFORM: the round on the program, which must end with status 0 on Yes.
play() {
    (cd "$SCRATCH/cwd" && exec "${frozen[@]}" "$PROGRAM") >"$SCRATCH/program.log" 2>&1 &
    program_pid=$!
    /usr/bin/python3 "$(dirname "$0")/same_steps.py" "$1" "$SCRATCH/areas" || fail "the round on $1"
    for _ in $(seq 50); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$program_pid" 2>/dev/null && fail "the program still runs after Yes on $1"
    wait "$program_pid" || fail "the program ended with status $? on $1"
}
play x11

cat >"$SCRATCH/weston.ini" <<'INI'
[core]
idle-time=0
[shell]
background-color=0xff204060
panel-position=none
INI
# --debug lets Weston's own screenshot client take pictures.
weston --backend=headless-backend.so --use-pixman --width=1280 --height=1024 --socket=parking-wayland \
    --debug --config="$SCRATCH/weston.ini" >"$SCRATCH/weston.log" 2>&1 &
weston=$!
trap 'kill "$weston" 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/parking-wayland" ] && break; sleep 0.05; done
[ -S "$XDG_RUNTIME_DIR/parking-wayland" ] || fail "Weston did not start: $(tail -n 5 "$SCRATCH/weston.log")"

export WAYLAND_DISPLAY=parking-wayland QT_QPA_PLATFORM=wayland
unset DISPLAY # so that nothing of the round reaches X11
play wayland
echo "wayland: ok"
