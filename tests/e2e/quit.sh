# The quit question: No keeps the program, Yes (the default, Enter) ends it
# with the help window.
source "$(dirname "$0")/lib.sh"
start_program

question() { timeout 10 xdotool search --sync --onlyvisible --name '^ソラミネの実験$' | head -n 1; }

click_at 400 6 # HELP
timeout 10 xdotool search --sync --onlyvisible --name 'ヘルプ' >/dev/null || fail "HELP opened no window"

click_at 28 6 # 終了
box=$(question) || fail "no quit question"
xdotool key Escape
sleep 0.5
kill -0 "$program_pid" 2>/dev/null || fail "the program ended on No"
[ -z "$(xdotool search --onlyvisible --name '^ソラミネの実験$' || true)" ] || fail "the question stayed up after No"

click_at 28 6
box=$(question) || fail "no quit question the second time"
xdotool key Return
for _ in $(seq 40); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program_pid" 2>/dev/null && fail "the program still runs after Yes"
wait "$program_pid" || fail "the program ended with status $?"
[ -z "$(xdotool search --onlyvisible --name 'ヘルプ' || true)" ] || fail "the help window outlived the program"
echo "quit: ok"
