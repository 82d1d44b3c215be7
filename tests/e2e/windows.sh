# The Windows build under Wine, beside the Linux build, on one X server: the
# MSI installed silently into a fresh Wine prefix, the same round played on
# both with real X clicks (roll, stop, the rolled car's fixed space, the same
# back-first space, HELP, quit and Yes), the client areas' pictures compared
# where no text is drawn, a cue heard through Wine's PulseAudio driver, then
# the silent uninstall.
#   MSI=FILE with_display.sh LINUX_PROGRAM tests/e2e/windows.sh
source "$(dirname "$0")/lib.sh"
wine=/usr/lib/wine/wine64
export WINEPREFIX=$SCRATCH/wine WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
installed="$WINEPREFIX/drive_c/Program Files/parking-dice"
took() { echo "$1: $((SECONDS - since)) s"; since=$SECONDS; }
since=$SECONDS

start_sound_server
# A wineserver of the test's own, started before the frozen clock and ended
# with the test, so that only the program sees that clock.
mkdir -p "$WINEPREFIX"
/usr/lib/wine/wineserver64 -p
trap '/usr/lib/wine/wineserver64 -k 2>/dev/null; kill "$pulse" 2>/dev/null || true' EXIT
"$wine" wineboot -i >"$SCRATCH/wine.log" 2>&1 || fail "wineboot: $(tail -n 5 "$SCRATCH/wine.log")"
# No window manager runs here: Wine's windows are left unmanaged, or Wine
# waits 2 s for each closing window's withdrawn state that no manager sets.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
took "a fresh Wine prefix"
# versions VERSION...: the versions of the program the prefix has installed.
versions() {
    "$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null |
        tr -d '\r' | awk '/DisplayVersion/ { print $NF }' | sort | tr '\n' ' '
}
# An older version first, which a build of this version replaces; then the
# installer under test, another build of the same version, replaces that in
# turn, as when a school reinstalls a rebuilt 1.0.0: one entry each time.
cp "$OLDER_MSI" "$WINEPREFIX/drive_c/older.msi"
cp "$REBUILT_MSI" "$WINEPREFIX/drive_c/rebuilt.msi"
cp "$MSI" "$WINEPREFIX/drive_c/parking-dice.msi"
for msi in older rebuilt parking-dice; do
    before=$(versions)
    "$wine" msiexec /i "C:\\$msi.msi" /qn || fail "msiexec /i $msi.msi ended with status $?"
    [ "$msi" = older ] || [ "$(versions)" = "$VERSION " ] ||
        fail "$msi.msi installed over ${before:-nothing}: the prefix holds versions $(versions), not $VERSION alone"
done
[ -f "$installed/parking-dice.exe" ] && [ -f "$installed/sounds/pinpon.wav" ] || fail "nothing installed in $installed"
shortcut=$(find "$WINEPREFIX/drive_c" -name '駐車場のサイコロ実験.lnk' | head -n 1)
[ -n "$shortcut" ] || fail "no Start-menu shortcut"
took "silent install"

# A Windows process that lives through both rounds keeps Wine's own services
# running on the real clock: started by the program, they would run on its
# frozen one, and its OLE was seen to wait 10 s for an RPC service that did
# not start, at start-up and again at quit.
# It waits on a pipe the test holds open; the wineserver ends it with the test.
mkfifo "$SCRATCH/keep"
"$wine" cmd /c pause <"$SCRATCH/keep" >/dev/null 2>&1 &
exec 7>"$SCRATCH/keep"

face=0
round linux "$PROGRAM"
record=yes
round windows "$wine" 'C:\Program Files\parking-dice\parking-dice.exe'
took "one round on each build"
[ -n "${KEEP:-}" ] && cp -r "$SCRATCH/linux" "$SCRATCH/windows" "$KEEP/"

compare_rounds "$SCRATCH/linux" "$SCRATCH/windows"

check_whole "$installed/sounds/pinpon.wav" "HELP's cue under Wine"

"$wine" msiexec /x 'C:\parking-dice.msi' /qn || fail "msiexec /x ended with status $?"
[ ! -e "$installed" ] || fail "left behind: $(find "$installed" | head)"
[ ! -e "$shortcut" ] || fail "the shortcut is left behind"
[ -z "$(versions)" ] || fail "still registered: $(versions)"
took "silent uninstall"
echo "windows: ok, rolled $face"
