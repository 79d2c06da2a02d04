# Piece three's photographs in a damaged archive, headless: a fade map smaller than its
# photograph, and a fade map that is no JPEG, each end the show while loading, before the menu,
# with the "Error." box and a message naming the entries; the program exits with 1.
set -u
. "$(dirname "$0")/../show_data.bash"
[ -x "$BUILD/triptych" ] || skip "the show is not built"
headless_show_environment
extract_default_entries "$work/files"
[ -f "$work/files/data/fade5.jpg" ] && [ -f "$work/files/data/fade7.jpg" ] || skip "no photographs"
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
