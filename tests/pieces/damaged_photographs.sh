# Piece three's photographs in a damaged archive, headless: a fade map smaller than its
# photograph ends the show while loading, before the menu (which would otherwise wait for a click
# until the timeout), with the "Error." box and a message naming both entries; the program exits with 1.
set -u
. "$(dirname "$0")/../show_data.bash"
[ -x "$BUILD/triptych" ] || skip "the show is not built"
headless_show_environment
extract_default_entries "$work/files"
[ -f "$work/files/data/fade5.jpg" ] && [ -f "$work/files/data/fade7.jpg" ] || skip "no photographs"

# data/5.jpg is 240x200; data/fade7.jpg, put in place of data/fade5.jpg, is 192x192.
cp "$work/files/data/fade7.jpg" "$work/files/data/fade5.jpg"
mkdir -p "$work/smaller"
"$BUILD/datapack" create "$work/smaller/data.data" -C "$work/files" "${names[@]}" >/dev/null || fail "cannot pack"
code=0
(cd "$work/smaller" && timeout 60 "$BUILD/triptych" >"$work/smaller.out" 2>"$work/smaller.err") || code=$?
[ "$code" = 1 ] || fail "exit code $code: $(cat "$work/smaller.err")"
grep -q "Error\." "$work/smaller.err" || fail "no error box: $(cat "$work/smaller.err")"
[ -z "$(ls -A "$TMPDIR")" ] || fail "files left behind"
for part in "data/5.jpg" "data/fade5.jpg" "240x200" "192x192"; do
    grep -q "$part" "$work/smaller.err" || fail "the refusal does not name $part: $(cat "$work/smaller.err")"
done
echo "PASS"
