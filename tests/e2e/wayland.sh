# The program as a native Wayland client on a real compositor: Weston with its
# headless backend and the pixman renderer. The same round is played through
# AT-SPI's actions on X11 and then on Wayland, and after each step the client
# areas of the windows on view must be the same, pixel for pixel.
source "$(dirname "$0")/lib.sh"
play x11 "$SCRATCH/areas"

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
play wayland "$SCRATCH/areas"
echo "wayland: ok"
