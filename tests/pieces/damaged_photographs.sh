# Piece three's photographs in a damaged archive, headless: a fade map smaller than its
# photograph, and a fade map that is no JPEG, each end the show while loading, before the menu,
# with the "Error." box and a message naming the entries; the program still exits with 0.
set -u
BUILD=$(cd "$1" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/triptych-pieces-e2e.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -x "$BUILD/triptych" ] && [ -x "$BUILD/datapack" ] && [ -f "$BUILD/data.data" ] ||
    { echo "SKIP: the show, datapack or data.data is missing"; exit 77; }
export TRIPTYCH_NO_BOXES=1 SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy TMPDIR="$work/tmp"
mkdir -p "$TMPDIR" "$work/files"
names=()
while IFS=$'\t' read -r name _; do
    mkdir -p "$work/files/$(dirname "$name")"
    "$BUILD/datapack" extract "$BUILD/data.data" "$name" "$work/files/$name" >/dev/null || fail "cannot extract $name"
    names+=("$name")
done < <("$BUILD/datapack" list "$BUILD/data.data")
[ -f "$work/files/data/fade5.jpg" ] && [ -f "$work/files/data/fade7.jpg" ] || { echo "SKIP: no photographs"; exit 77; }
original="$work/fade5.jpg"
cp "$work/files/data/fade5.jpg" "$original"

# Runs the show with the menu on an archive whose data/fade5.jpg is replaced by $1; a load
# failure must end it before the menu, which would otherwise wait for a click until the timeout.
run_with_fade5() {
    local case=$1 replacement=$2
    cp "$replacement" "$work/files/data/fade5.jpg"
    mkdir -p "$work/$case"
    "$BUILD/datapack" create "$work/$case/data.data" -C "$work/files" "${names[@]}" >/dev/null || fail "cannot pack $case"
    code=0
    (cd "$work/$case" && timeout 60 "$BUILD/triptych" >"$work/$case.out" 2>"$work/$case.err") || code=$?
    cp "$original" "$work/files/data/fade5.jpg"
    [ "$code" = 1 ] || fail "$case: exit code $code: $(cat "$work/$case.err")"
    grep -q "Error\." "$work/$case.err" || fail "$case: no error box: $(cat "$work/$case.err")"
    [ -z "$(ls -A "$TMPDIR")" ] || fail "$case: files left behind"
}

# data/5.jpg is 240x200; data/fade7.jpg is 192x192.
run_with_fade5 smaller "$work/files/data/fade7.jpg"
for part in "data/5.jpg" "data/fade5.jpg" "240x200" "192x192"; do
    grep -q "$part" "$work/smaller.err" || fail "the refusal does not name $part: $(cat "$work/smaller.err")"
done

head -c 3000 /dev/zero | tr '\0' 'J' >"$work/notjpeg.jpg"
run_with_fade5 notjpeg "$work/notjpeg.jpg"
grep -q "couldn't read file data/fade5.jpg" "$work/notjpeg.err" || fail "no couldn't-read error: $(cat "$work/notjpeg.err")"
echo "PASS"
