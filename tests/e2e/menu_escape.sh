# Leaving the start menu by Escape (in a window) or by the exit button (full screen): no piece
# runs and the intro is skipped, but the credits still reach stdout, the exit code is 0 and
# nothing is left in the temporary directory.
set -u
BUILD=$(cd "$1" && pwd)
. "$(dirname "$0")/display_helpers.bash"
prepare_screen_test

# leave_menu HOW WORDS...: starts the show, leaves the menu by HOW, checks the ending.
leave_menu() {
    local how=$1
    shift
    start_show "$@"
    wait_for_menu 120 || { cat "$E2E_WORK/stderr" >&2; fail "$how: the menu did not appear"; }
    if [ "$how" = escape ]; then
        local window
        window=$(xdotool search --name Triptych | head -1)
        [ -n "$window" ] || fail "no show window"
        xdotool windowfocus --sync "$window" 2>/dev/null
        xdotool key --window "$window" Escape
    else
        xdotool mousemove 970 720 click 1 # the exit button's corner is (960, 704)
    fi
    wait_show
    [ "$SHOW_CODE" = 0 ] || { cat "$E2E_WORK/stderr" >&2; fail "$how: exit code $SHOW_CODE"; }
    for piece in 1 2 3; do
        ! piece_started $piece || fail "$how: piece $piece started after leaving the menu"
    done
    has_credits || fail "$how: no credits on stdout"
    [ -z "$(ls -A "$TMPDIR")" ] || fail "$how: files left in the temporary directory"
}

leave_menu escape window
leave_menu exit
echo "PASS"
