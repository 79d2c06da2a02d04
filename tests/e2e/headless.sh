# Without a screen: live mode refuses to start with a clear message and exit code 1; with
# SDL's dummy video driver and "nomenu" the show runs headless, an interrupt during piece one
# ends it with exit code 130 and skips the pieces after it, and the credits still reach stdout.
# Nothing is left behind either way.
set -u
BUILD=$(cd "$1" && pwd)
. "$(dirname "$0")/display_helpers.bash"
quiet_show_environment

# No display at all.
code=0
(cd "$BUILD" && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 60 ./triptych \
    >"$E2E_WORK/nodisplay.out" 2>"$E2E_WORK/nodisplay.err") || code=$?
[ "$code" = 1 ] || fail "exit code $code without a display"
grep -q "no display is available" "$E2E_WORK/nodisplay.err" || fail "no message about the missing display"
grep -q '"video"' "$E2E_WORK/nodisplay.err" || fail "the message does not point to \"video\""
[ -z "$(ls -A "$TMPDIR")" ] || fail "files left behind without a display"

require_menu_data
export SDL_VIDEODRIVER=dummy
unset DISPLAY WAYLAND_DISPLAY
start_show nomenu
wait_for_piece 1 180 || { cat "$E2E_WORK/stderr" >&2; fail "piece one did not start headless"; }
kill -INT "$SHOW_PID" 2>/dev/null
wait_show
[ "$SHOW_CODE" = 130 ] || { cat "$E2E_WORK/stderr" >&2; fail "exit code $SHOW_CODE headless (Ctrl+C ends a live show with 130)"; }
! piece_started 2 && ! piece_started 3 || fail "pieces after the interrupted one still started"
has_credits || { cat "$E2E_WORK/stderr" >&2; fail "no credits on stdout"; }
[ -z "$(ls -A "$TMPDIR")" ] || fail "files left in the temporary directory"
echo "PASS"
