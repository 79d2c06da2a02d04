# The start menu on a real (virtual) X screen: the background from y = 15, three toggles; a
# click switches a toggle off (it darkens), start leaves the menu, the intro runs, piece one is
# left out and piece two starts, Escape ends the pieces, the credits reach stdout and the show
# ends with exit code 0.
set -u
BUILD=$(cd "$1" && pwd)
. "$(dirname "$0")/display_helpers.bash"
prepare_screen_test

start_show
wait_for_menu 120 || { cat "$E2E_WORK/stderr" >&2; fail "the menu did not appear"; }
xdotool mousemove 5 5 # away from every control
# The first toggle is up and bright once its picture is drawn.
wait_for_screen menu 300x80+362+152 -gt 20 30 || fail "the first toggle never appeared"

# The background starts at y = 15: the row above is black, the rows from 15 show the picture.
"$BUILD/datapack" extract "$BUILD/data.data" data/yo8.jpg "$E2E_WORK/yo8.jpg" >/dev/null 2>&1 ||
    fail "cannot extract data/yo8.jpg"
[ "$(mean_in menu 1024x15+0+0)" -le 2 ] || fail "rows 0-14 are not black"
[ "$(mean_in menu 1024x3+0+15)" -gt 5 ] || fail "row 15 does not show the background"
for point in "100 0" "900 200" "40 700"; do
    set -- $point
    read -r r g b <<<"$(pixel "$E2E_WORK/yo8.jpg" "$1" "$2")"
    read -r sr sg sb <<<"$(pixel "$E2E_WORK/menu.png" "$1" $(($2 + 15)))"
    for pair in "$r $sr" "$g $sg" "$b $sb"; do
        set -- $pair
        [ $(($1 > $2 ? $1 - $2 : $2 - $1)) -le 12 ] || fail "background differs at $point: $r,$g,$b vs $sr,$sg,$sb"
    done
done

# Three toggles centred at x = 512 (y = 192, 384, 576), all on: their pictures are bright.
for y in 192 384 576; do
    level=$(mean_in menu "300x80+362+$((y - 40))")
    [ "$level" -gt 20 ] || fail "no toggle at y = $y (mean $level)"
done
before=$(mean_in menu 300x80+362+152)

# Click the first toggle: it fades to a dark grey within a fraction of a second.
xdotool mousemove 512 192 click 1
xdotool mousemove 5 5
wait_for_screen off 300x80+362+152 -lt $((before / 3)) 30 ||
    fail "toggle one did not darken ($before -> $(mean_in off 300x80+362+152))"
second=$(mean_in off 300x80+362+344)
[ "$second" -gt $((before / 2)) ] || fail "toggle two changed too ($second)"

# Start: the menu gives way to the black intro.
xdotool mousemove 970 640 click 1
wait_for_screen intro 1024x768+0+0 -le 3 30 || fail "the intro is not black (or the show ended during it)"
# The piece switched off is left out: the show goes on with piece two.
wait_for_piece 2 120 || { cat "$E2E_WORK/stderr" >&2; fail "piece two did not start"; }
# Escape ends the running piece and skips the rest. There is no window manager: the piece's
# window takes the keyboard itself when it is shown. A key the X server drops while the window
# is still being shown is pressed again.
xdotool mousemove 512 384
for _ in $(seq 10); do
    xdotool key Escape
    sleep 1
    kill -0 "$SHOW_PID" 2>/dev/null || break
done
wait_show
piece_started 3 && fail "piece three started after Escape"
[ "$SHOW_CODE" = 0 ] || { cat "$E2E_WORK/stderr" >&2; fail "exit code $SHOW_CODE"; }
piece_started 1 && fail "piece one ran although it was switched off"
has_credits || fail "no credits on stdout"
[ -z "$(ls -A "$TMPDIR")" ] || fail "files left in the temporary directory: $(ls -A "$TMPDIR")"
echo "PASS"
