# The quit question: No keeps the program, Yes (the default, Enter) ends it
# with the help window.
source "$(dirname "$0")/lib.sh"
start_program

click Command21 # HELP
seen_within 10000 'ヘルプ' || fail "HELP opened no window"

click Command3 # 終了
seen_within 10000 '^ソラミネの実験$' || fail "no quit question"
xdotool key Escape
sleep 0.5
kill -0 "$program_pid" 2>/dev/null || fail "the program ended on No"
[ -z "$(xdotool search --onlyvisible --name '^ソラミネの実験$' || true)" ] || fail "the question stayed up after No"

quit_exits_within 4 "with the help window open"
[ -z "$(xdotool search --onlyvisible --name 'ヘルプ' || true)" ] || fail "the help window outlived the program"
echo "quit: ok"
