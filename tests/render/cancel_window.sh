# The "Rendering video..." window on a virtual screen: Cancel asks "Really?"; No lets the render
# go on, Yes ends the show, and the files written so far are finished and playable.
set -u
BUILD=$(cd "$1" && pwd)
. "$(dirname "$0")/../e2e/display_helpers.bash"
[ -f "$BUILD/data.data" ] || { echo "SKIP: $BUILD/data.data does not exist"; exit 0; }
for tool in xdotool ffprobe; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 0; }
done
start_xvfb
# The socket appears before the server takes clients; the show must find a display at start.
for _ in $(seq 100); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.1
done
unset TRIPTYCH_NO_BOXES SDL_VIDEODRIVER
export SDL_AUDIODRIVER=dummy
run="$E2E_WORK/run"
mkdir -p "$run"
ln -s "$BUILD/data.data" "$run/data.data"
(cd "$run" && exec timeout 600 "$BUILD/triptych" video nomenu >"$E2E_WORK/stdout" 2>"$E2E_WORK/stderr") &
SHOW_PID=$!
E2E_PIDS+=("$SHOW_PID")

# Prints the first visible window whose name matches, waiting up to SECONDS.
wait_for_window() {
    local pattern=$1 seconds=$2 window
    for _ in $(seq $((seconds * 5))); do
        kill -0 "$SHOW_PID" 2>/dev/null || return 1
        window=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -1)
        [ -n "$window" ] && { echo "$window"; return 0; }
        sleep 0.2
    done
    return 1
}

# Prints the message box: a visible window without a name, smaller than the screen.
wait_for_box() {
    local window width
    for _ in $(seq 100); do
        kill -0 "$SHOW_PID" 2>/dev/null || return 1
        for window in $(xdotool search --onlyvisible --name '^$' 2>/dev/null); do
            width=$(xdotool getwindowgeometry "$window" 2>/dev/null | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
            [ -n "$width" ] && [ "$width" -lt 600 ] && { echo "$window"; return 0; }
        done
        sleep 0.2
    done
    return 1
}

box_gone() {
    for _ in $(seq 50); do
        xdotool getwindowgeometry "$1" >/dev/null 2>&1 || return 0
        xdotool search --onlyvisible --name '^$' 2>/dev/null | grep -qx "$1" || return 0
        sleep 0.2
    done
    return 1
}

progress=$(wait_for_window "Rendering video" 180) || { cat "$E2E_WORK/stderr" >&2; fail "no progress window"; }
# Cancel, then No: nothing changes.
xdotool mousemove --window "$progress" 220 72 click 1
box=$(wait_for_box) || fail "Cancel did not ask"
xdotool key --window "$box" Escape 2>/dev/null
box_gone "$box" || fail "the question stayed after No"
sleep 1
kill -0 "$SHOW_PID" 2>/dev/null || fail "No ended the render"
grep -q "Really?" "$E2E_WORK/stdout" || fail "the question was not \"Really?\""
# Cancel, then Yes: the show ends at the next frame.
xdotool mousemove --window "$progress" 220 72 click 1
box=$(wait_for_box) || fail "the second Cancel did not ask"
xdotool key --window "$box" Return 2>/dev/null
# The credits box follows; it is answered too.
credits=$(wait_for_box) && xdotool key --window "$credits" Return 2>/dev/null
wait_show
[ "$SHOW_CODE" = 0 ] || { cat "$E2E_WORK/stderr" >&2; fail "exit code $SHOW_CODE"; }
[ -e "$run/piece_2.avi" ] && fail "piece two was rendered after the cancel"

for name in piece_pre1.avi piece_1.avi piece_post1.avi; do
    file="$run/$name"
    [ -f "$file" ] || fail "$name is missing"
    frames=$(ffprobe -v error -select_streams v -count_packets -show_entries stream=nb_read_packets -of csv=p=0 "$file") ||
        fail "$name cannot be read"
    frames=${frames//[^0-9]/} # a part the cancel skipped has no frames ("N/A")
    frames=${frames:-0}
    bytes=$(ffprobe -v error -select_streams a -show_entries packet=size -of csv=p=0 "$file" | awk '{ s += $1 } END { print s + 0 }')
    [ "$bytes" = $((frames * 1764 * 4)) ] || fail "$name: $frames frames but $bytes bytes of sound"
    echo "$name: $frames frames"
done
frames=$(ffprobe -v error -select_streams v -count_packets -show_entries stream=nb_read_packets -of csv=p=0 "$run/piece_pre1.avi")
[ "$frames" -gt 0 ] || fail "the opening has no frames"
echo "PASS"
