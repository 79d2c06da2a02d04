# Shared steps of the end-to-end tests that drive the show on a virtual X screen: a private
# Xvfb on a free display number, screenshots, pixel reads, and the data check.
# Sourced by the tests; expects BUILD to be set.

E2E_PIDS=()
E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/triptych-e2e.XXXXXX")

e2e_cleanup() {
    for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
    for pid in "${E2E_PIDS[@]}"; do wait "$pid" 2>/dev/null; done
    rm -rf "$E2E_WORK"
}
trap e2e_cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
# Ends the test as skipped: CTest reads exit code 77 as a skip, never as a pass.
skip() { echo "SKIP: $*"; exit 77; }

# Skips the test unless the default data holds the menu pictures.
require_menu_data() {
    [ -f "$BUILD/data.data" ] && [ -x "$BUILD/datapack" ] || skip "no $BUILD/data.data or datapack"
    "$BUILD/datapack" list "$BUILD/data.data" | grep -q '^data/yo8.jpg' || skip "data.data has no data/yo8.jpg yet"
}

# Starts Xvfb (1024x768, 24 bits) on the first free display number and exports DISPLAY. The
# server never resets: SDL's probe connects and leaves at once, and a server resetting after its
# last client would refuse the show's own connection a moment later, leaving it without a window.
start_xvfb() {
    command -v Xvfb >/dev/null || skip "Xvfb is not installed"
    local number
    for number in $(seq $((20 + $$ % 60)) 99) $(seq 20 99); do
        [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ] && continue
        Xvfb ":$number" -screen 0 1024x768x24 -br -nolisten tcp -noreset >"$E2E_WORK/xvfb.log" 2>&1 &
        local pid=$!
        for _ in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$number" ] && break
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        if kill -0 "$pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$number" ]; then
            E2E_PIDS+=("$pid")
            export DISPLAY=":$number"
            return 0
        fi
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    fail "no free display number for Xvfb"
}

# No boxes, no sound device, a line on stderr as each piece starts, and a temporary directory of
# the test's own to check for leftovers.
quiet_show_environment() {
    export TRIPTYCH_NO_BOXES=1 SDL_AUDIODRIVER=dummy TRIPTYCH_LOG_PIECES=1
    export TMPDIR="$E2E_WORK/tmp"
    mkdir -p "$TMPDIR"
}

# Everything a test on the virtual screen needs, or a skip when a part is missing.
prepare_screen_test() {
    require_menu_data
    command -v xdotool >/dev/null && command -v import >/dev/null ||
        skip "xdotool or ImageMagick missing"
    start_xvfb
    quiet_show_environment
}

# Starts the show in the build folder with the given words; its output goes to E2E_WORK.
SHOW_PID=
start_show() {
    (cd "$BUILD" && exec timeout 300 ./triptych "$@" >"$E2E_WORK/stdout" 2>"$E2E_WORK/stderr") &
    SHOW_PID=$!
    E2E_PIDS+=("$SHOW_PID")
}

# Waits for the show to end and sets SHOW_CODE to its exit code.
SHOW_CODE=
wait_show() {
    SHOW_CODE=0
    wait "$SHOW_PID" || SHOW_CODE=$?
}

screenshot() { timeout 20 import -window root "$E2E_WORK/$1.png"; }

# "r g b" of pixel X Y of a picture file.
pixel() { timeout 20 convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:; }

# Mean brightness (0..255) of a rectangle WIDTHxHEIGHT+X+Y of a screenshot.
mean_in() {
    timeout 20 convert "$E2E_WORK/$1.png" -crop "$2" +repage -colorspace Gray -format '%[fx:int(255*mean)]' info:
}

# Takes screenshot NAME until the mean of rectangle GEOMETRY satisfies TEST VALUE (-gt, -lt,
# -le, ...), for up to SECONDS; false when the show ended or the time ran out first. The last
# screenshot stays under NAME.
wait_for_screen() {
    local name=$1 geometry=$2 test=$3 value=$4 seconds=$5 level
    for _ in $(seq $((seconds * 4))); do
        kill -0 "$SHOW_PID" 2>/dev/null || return 1
        screenshot "$name"
        level=$(mean_in "$name" "$geometry")
        [ "$level" "$test" "$value" ] && return 0
        sleep 0.25
    done
    return 1
}

# Waits up to SECONDS for the screen to show the menu (the background's area is not black).
wait_for_menu() { wait_for_screen waiting 1024x700+0+40 -gt 10 "$1"; }

# True when the show's stdout holds the credits.
has_credits() { grep -q "created by" "$E2E_WORK/stdout"; }

# Waits up to SECONDS (60 by default) for COUNT (1 by default) lines of the show's stderr to match
# PATTERN; false when the show ended or the time ran out first without them.
wait_for_line() {
    local pattern=$1 count=${2:-1} seconds=${3:-60}
    for _ in $(seq $((seconds * 10))); do
        [ "$(grep -cE "$pattern" "$E2E_WORK/stderr")" -ge "$count" ] && return 0
        kill -0 "$SHOW_PID" 2>/dev/null || break
        sleep 0.1
    done
    [ "$(grep -cE "$pattern" "$E2E_WORK/stderr")" -ge "$count" ]
}

# True when the show's stderr says that piece N (1, 2 or 3) started.
piece_started() { grep -q "^triptych: piece $1 starts$" "$E2E_WORK/stderr"; }
# Waits up to SECONDS for piece N to start; false when the show ended or the time ran out first.
wait_for_piece() { wait_for_line "^triptych: piece $1 starts$" 1 "$2"; }
