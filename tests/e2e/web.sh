# The web build (the folder WEB) in real browsers beside the Linux build, on
# one X server. The folder is served by a web server on 127.0.0.1; the same
# round as on Linux (roll, stop, the rolled car's fixed space, the same
# back-first space, HELP, quit and はい) is played with real input events in
# Debian's Chromium, headless, with the mouse on a Chromebook's page
# (1366 x 625) and with a finger's taps on an iPad's in portrait (768 x 954),
# and in WebKit (WebKitGTK's MiniBrowser on the X server) on an iPad's in
# landscape (1024 x 698). Each step's client area must show the pictures and
# the control places of the Linux build's; the die's run must show 100 faces a
# second in both engines; the page must open again from the service worker's
# cache once the server has stopped; HELP's cue, played by Chromium on the X
# server, must be heard whole through a PulseAudio null sink.
#   WEB=FOLDER with_display.sh LINUX_PROGRAM tests/e2e/web.sh
source "$(dirname "$0")/lib.sh"
here=$(dirname "$0")
# Both builds read the frozen wall clock as local time: the same zone for both.
export TZ=UTC
took() { echo "$1: $((SECONDS - since)) s"; since=$SECONDS; }
since=$SECONDS

face=0
round linux "$PROGRAM"
took "the round on the Linux build"

for engine in chromium:1366x625 chromium-touch:768x954 webkit:1024x698; do
    name=${engine%%:*}
    /usr/bin/python3 "$here/web_round.py" "$name" "${engine#*:}" "$WEB" "$SCRATCH/layout" "$face" "$SCRATCH/$name-page" ||
        fail "the round in $name"
    mkdir -p "$SCRATCH/$name"
    for step in start result fixed back-first after-help; do
        client_area "$SCRATCH/$name-page/$step.png" 0 0 "$SCRATCH/$name/$step.png"
    done
    compare_rounds "$SCRATCH/linux" "$SCRATCH/$name"
    took "the round in $name"
done

/usr/bin/python3 "$here/web_checks.py" pace "$WEB" "$SCRATCH/layout" || fail "the die's pace"
took "the die's pace"

/usr/bin/python3 "$here/web_checks.py" offline "$WEB" || fail "the page offline"
took "the page offline"

start_sound_server
record_start "$SCRATCH/recorded.wav"
/usr/bin/python3 "$here/web_checks.py" cue "$WEB" "$SCRATCH/layout" || fail "HELP's cue in Chromium"
record_stop
check_whole "$WEB/sounds/pinpon.wav" "HELP's cue in Chromium"
took "HELP's cue"
[ -n "${KEEP:-}" ] && cp -r "$SCRATCH"/{linux,chromium,chromium-touch,webkit} "$KEEP/"
echo "web: ok, rolled $face"
