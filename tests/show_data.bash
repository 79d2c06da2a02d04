# Shared steps of the shell tests that run the show headless on copies of the default data: a
# folder of the test's own, fail and skip (exit 77, which CTest reports as skipped, never as
# passed), the headless environment and the default entries extracted.
# Sourced by the tests after `set -u`, with the build folder as $1; KEEP_WORK=1 keeps the folder.
BUILD=$(cd "$1" && pwd)
work=$(cd "$(mktemp -d "${TMPDIR:-/tmp}/triptych-show-data.XXXXXX")" && pwd -P)
[ -n "${KEEP_WORK:-}" ] || trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }

# No boxes, no display or sound device, and a temporary directory to check for leftovers.
headless_show_environment() {
    export TRIPTYCH_NO_BOXES=1 SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy TMPDIR="$work/tmp"
    unset DISPLAY WAYLAND_DISPLAY
    mkdir -p "$TMPDIR"
}

# Extracts every entry of ARCHIVE (the default data.data if not given) into FOLDER; their names,
# in order, go to `names`.
extract_default_entries() {
    local archive=${2:-$BUILD/data.data} name
    [ -f "$archive" ] && [ -x "$BUILD/datapack" ] || skip "no $archive or datapack"
    names=()
    while IFS=$'\t' read -r name _; do
        mkdir -p "$1/$(dirname "$name")"
        "$BUILD/datapack" extract "$archive" "$name" "$1/$name" >/dev/null || fail "cannot extract $name"
        names+=("$name")
    done < <("$BUILD/datapack" list "$archive")
    [ ${#names[@]} -gt 0 ] || fail "$archive lists no entries"
}
