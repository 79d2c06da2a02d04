# The viewer's keys on a bare X server (Xvfb, no window manager), sent as a keyboard would send
# them, without anyone focusing the window: Space pauses and resumes, Right and Left seek 10 s
# and the show says where it landed, Escape ends it with exit 0.
set -u
BUILD=$(cd "$1" && pwd)
. "$(dirname "$0")/display_helpers.bash"
prepare_screen_test

# press KEY PATTERN: presses the key until stderr answers with a line matching the pattern. A key
# the X server drops while the window is still being shown is pressed again after 3 s, well
# before the piece's last 50 s run out.
press() {
    for _ in $(seq 10); do
        xdotool key "$1"
        wait_for_line "$2" 1 3 && return 0
    done
    cat "$E2E_WORK/stderr" >&2
    fail "no \"$2\" after $1"
}

start_show window nomenu pieces=3 from=5:30
wait_for_piece 3 120 || { cat "$E2E_WORK/stderr" >&2; fail "piece three did not start"; }
press space '^triptych: piece 3 paused$'
press space '^triptych: piece 3 resumed$'
press Right '^triptych: piece 3 at 5:4[0-9]\.[0-9]$'
press Left '^triptych: piece 3 at 5:3[0-9]\.[0-9]$'
xdotool key Escape
wait_show
[ "$SHOW_CODE" = 0 ] || { cat "$E2E_WORK/stderr" >&2; fail "exit code $SHOW_CODE after Escape"; }
has_credits || fail "no credits on stdout"
echo "PASS"
