# Escape in the start menu: no piece runs and the intro is skipped, but the credits still
# reach stdout, the exit code is 0 and nothing is left in the temporary directory.
set -u
BUILD=$(cd "$1" && pwd)
. "$(dirname "$0")/display_helpers.bash"
prepare_screen_test

start_show window
wait_for_menu 120 || { cat "$E2E_WORK/stderr" >&2; fail "the menu did not appear"; }
window=$(xdotool search --name Triptych | head -1)
[ -n "$window" ] || fail "no show window"
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key --window "$window" Escape
started=$(date +%s)
wait_show
[ "$SHOW_CODE" = 0 ] || { cat "$E2E_WORK/stderr" >&2; fail "exit code $SHOW_CODE"; }
# No piece ran: the show ended long before any piece could have.
[ $(($(date +%s) - started)) -lt 60 ] || fail "the show went on after Escape"
has_credits || fail "no credits on stdout"
[ -z "$(ls -A "$TMPDIR")" ] || fail "files left in the temporary directory"
echo "PASS"
