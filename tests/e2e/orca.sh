# The program with the real screen reader: Orca speaks into a speech server
# whose one voice writes each utterance as a line of a file, and the test,
# pressing keys only, waits for the lines it expects.
source "$(dirname "$0")/lib.sh"

spoken=$SCRATCH/spoken.txt
: >"$spoken"
mkdir -p "$SCRATCH/speechd/modules" "$SCRATCH/orca"
cat >"$SCRATCH/speechd/speechd.conf" <<CONF
CommunicationMethod "unix_socket"
SocketPath "$SCRATCH/speechd.sock"
AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "file" "sd_generic" "file.conf"
DefaultModule "file"
DefaultLanguage "ja"
LogDir "$SCRATCH"
CONF
# Without utf-8 declared for a language, Japanese arrives as '?'.
cat >"$SCRATCH/speechd/modules/file.conf" <<CONF
GenericExecuteSynth "printf '%s\\\\n' \\'\$DATA\\' >> $spoken"
GenericLanguage "ja" "ja" "utf-8"
GenericLanguage "en" "en" "utf-8"
GenericLanguage "c" "c" "utf-8"
AddVoice "ja" "MALE1" "ja"
AddVoice "en" "MALE1" "en"
CONF

# Orca starts only where no other Orca of the same user runs, on any
# display: wait for one that is still ending (another run of this test), and
# let ours end before this test does.
for _ in $(seq 300); do pgrep -u "$(id -u)" -x orca >/dev/null || break; sleep 0.1; done
pgrep -u "$(id -u)" -x orca >/dev/null && fail "another Orca of this user is running: $(pgrep -u "$(id -u)" -a -x orca)"

pids=()
stop_all() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap stop_all EXIT
speech-dispatcher -s -t 0 -C "$SCRATCH/speechd" -S "$SCRATCH/speechd.sock" -L "$SCRATCH" \
    >"$SCRATCH/speechd.log" 2>&1 &
pids+=($!)
export SPEECHD_ADDRESS=unix_socket:$SCRATCH/speechd.sock
for _ in $(seq 100); do [ -S "$SCRATCH/speechd.sock" ] && break; sleep 0.05; done
[ -S "$SCRATCH/speechd.sock" ] || fail "the speech server did not start: $(cat "$SCRATCH/speechd.log")"
# Orca's own words in English, whatever the machine's language.
LC_ALL=C.UTF-8 LANGUAGE=C orca -u "$SCRATCH/orca" -e speech -d braille >"$SCRATCH/orca.log" 2>&1 &
pids+=($!)

mark=0
said_since_mark() { tail -n +$((mark + 1)) "$spoken"; }

# heard TEXT SECONDS: whether Orca says TEXT, since the last mark, within SECONDS.
heard() {
    local deadline=$((SECONDS + $2))
    until said_since_mark | grep -qF -- "$1"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

# hear TEXT [SECONDS]: fails unless Orca says TEXT.
hear() {
    heard "$1" "${2:-10}" || fail "Orca did not say \"$1\"; it said: $(said_since_mark | tr '\n' '|')"
}

press() { # KEY: marks what was said so far, then presses KEY
    mark=$(wc -l <"$spoken")
    xdotool key "$1"
}

# focus_on NAME: Tab to the next button, which must be NAME.
focus_on() {
    press Tab
    hear "$1 push button"
}

# tab_to NAME [KEY]: Tab (or KEY), one button at a time, until Orca names NAME.
tab_to() {
    for _ in $(seq 25); do
        press "${2:-Tab}"
        hear "push button"
        said_since_mark | grep -qF -- "$1 push button" && return 0
    done
    fail "Tab never reached $1"
}

heard "Screen reader on" 20 || fail "Orca did not start speaking: $(cat "$SCRATCH/orca.log")"

# First the capture itself, on a dialog of another toolkit: a silence below
# then means the program said nothing. Orca speaks before it listens to
# every window, so a dialog that opened too early is opened again.
for attempt in 1 2 3 4 5 6; do
    mark=$(wc -l <"$spoken")
    zenity --info --title="読み上げの確認" --text="確認" >/dev/null 2>&1 &
    dialog=$!
    heard "読み上げの確認" 4 && captured=yes || captured=
    kill "$dialog"
    wait "$dialog" 2>/dev/null || true
    [ -z "$captured" ] || break
    [ "$attempt" -lt 6 ] || fail "nothing Orca said about a zenity dialog reached the speech file"
done

mark=$(wc -l <"$spoken")
start_program
pids+=("$program_pid")
hear "簡単なソラミネとシミュレーション"
hear "固定しないとき どかし回数 上へ 現在0 push button"

# Every button in the keyboard order as far as roll.
for k in 1 2 3 4 5 6; do focus_on "固定しないとき 駐車位置$k 空き"; done
focus_on "固定するとき 駐車位置1 空き"
focus_on "固定するとき どかし回数 上へ 現在0"
focus_on "固定するとき 駐車位置2 空き"
focus_on "固定するとき どかし回数 下へ 現在0"
for k in 3 4 5 6; do focus_on "固定するとき 駐車位置$k 空き"; done
focus_on "サイコロころがる"

# Roll hands the focus to stop, stop back to roll, and the result is said.
press space
hear "サイコロ止まる push button"
press space
hear "出た目 "
car=$(said_since_mark | sed -n 's/.*出た目 \([1-6]\)、1回目.*/\1/p' | head -n 1)
[ -n "$car" ] || fail "the result was said as: $(said_since_mark | tr '\n' '|')"
hear "サイコロころがる push button"
echo "rolled $car"

# The rest of the keyboard order, round to where it began.
focus_on "終了"
focus_on "初期化"
focus_on "固定しないとき どかし回数 下へ 現在0"
focus_on "HELP"
focus_on "固定しないとき どかし回数 上へ 現在0"

# The car arrives in the right area's deepest left space: each press says the new mark.
tab_to "固定しないとき 駐車位置5 空き"
for k in $(seq "$car"); do
    press space
    hear "notification 固定しないとき 駐車位置5 車$k"
done

# And in its own space on the left, which then says it is parked.
tab_to "固定するとき 駐車位置$car 空き"
press space
hear "notification 固定するとき 駐車位置$car 車$car"
press shift+Tab # away and back: its name now says so too
hear "push button"
focus_on "固定するとき 駐車位置$car 車$car"

# A car was moved aside. The left ↑ comes right after space 1 and before
# the other spaces in the keyboard order.
[ "$car" = 1 ] && way=Tab || way=shift+Tab
tab_to "固定するとき どかし回数 上へ 現在0" "$way"
press space
hear "notification 固定するとき どかし回数 上へ 現在1"

# The help text, a line at a time: Tab from the close button, then Down.
tab_to "HELP"
press space
hear "閉じる push button"
press Tab
hear "設問と操作方法"
press Down
hear "題】" # to the line's last character
press Down
hear "駐車場をもった"

echo "orca: ok"
