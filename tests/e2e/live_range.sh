# A live range, headless: from= starts piece three at its last seconds without the intro and the
# show ends by itself at the piece's end with exit 0; with loop and a one-second range the piece
# starts again and again until a signal ends the show (128+N). The seek and pause keys are
# checked in the pieces' tests, where they are pushed into SDL's queue.
set -u
BUILD=$(cd "$1" && pwd)
. "$(dirname "$0")/display_helpers.bash"
quiet_show_environment
require_menu_data
export SDL_VIDEODRIVER=dummy
unset DISPLAY WAYLAND_DISPLAY

start_show nomenu pieces=3 from=6:18
wait_show
[ "$SHOW_CODE" = 0 ] || { cat "$E2E_WORK/stderr" >&2; fail "exit code $SHOW_CODE after a range to the end"; }
[ "$(grep -c '^triptych: piece 3 starts$' "$E2E_WORK/stderr")" = 1 ] || fail "piece three did not start once"
has_credits || fail "no credits after the range"

start_show nomenu pieces=3 from=6:19 to=6:20 loop
wait_for_line '^triptych: piece 3 starts$' 3 ||
    { cat "$E2E_WORK/stderr" >&2; fail "the loop did not start piece three again"; }
kill -TERM "$SHOW_PID" 2>/dev/null
wait_show
[ "$SHOW_CODE" = 143 ] || fail "exit code $SHOW_CODE when SIGTERM ended the loop"
echo "PASS"
