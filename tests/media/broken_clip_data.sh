# The show with bad clip data, headless: without data.data it reports the missing archive and
# ends with exit code 1; with a clip that is not a video, whichever piece it belongs to, it ends before
# the pieces with the clip reader's error box and exit code 1. Either way nothing stays in the
# temporary directory.
set -u
. "$(dirname "$0")/../show_data.bash"
[ -x "$BUILD/triptych" ] || skip "the show is not built"
headless_show_environment
mkdir -p "$work/empty"

# No archive in any place the show looks: a copy of the program away from the build folder's
# data.data, and data folders that are empty.
[ -e /usr/share/triptych/data.data ] && skip "/usr/share/triptych/data.data is installed here, so the show always finds data"
mkdir -p "$work/program" && cp "$BUILD/triptych" "$work/program/triptych"
code=0
(cd "$work/empty" && XDG_DATA_DIRS="$work/empty" timeout 60 "$work/program/triptych" nomenu >"$work/none.out" \
    2>"$work/none.err") || code=$?
[ "$code" = 1 ] || fail "exit code $code without data.data: $(cat "$work/none.err")"
grep -q "Couldn't create temporary files!" "$work/none.err" || fail "no box text without data.data"
grep -q "data.data" "$work/none.err" || fail "the missing data.data is not named"
[ -z "$(ls -A "$TMPDIR")" ] || fail "files left behind without data.data"

# The default data with one clip replaced by bytes that are no video: piece one's clip, and piece
# two's first clip, which only the background decode at start-up reads before the pieces run.
extract_default_entries "$work/files"
mkdir -p "$work/broken"
for clip in hxaaayqrvpj6duhqmbg3.tmp hxaaayqrvpj6duhqmbg1.tmp; do
    cp "$work/files/$clip" "$work/good.tmp"
    head -c 5000 /dev/zero | tr '\0' 'Z' >"$work/files/$clip"
    "$BUILD/datapack" create "$work/broken/data.data" -C "$work/files" "${names[@]}" >/dev/null || fail "cannot pack"
    mv "$work/good.tmp" "$work/files/$clip"
    code=0
    (cd "$work/broken" && TRIPTYCH_LOG_PIECES=1 timeout 120 "$BUILD/triptych" nomenu >"$work/broken.out" \
        2>"$work/broken.err") || code=$?
    [ "$code" = 1 ] || fail "$clip: exit code $code with a broken clip: $(cat "$work/broken.err")"
    grep -q "Couldn't open avi file! - '" "$work/broken.err" || fail "$clip: no clip reader message: $(cat "$work/broken.err")"
    ! grep -q "^triptych: piece . starts" "$work/broken.err" || fail "$clip: a piece started before the failure"
    [ -z "$(ls -A "$TMPDIR")" ] || fail "$clip: files left behind after the clip error"
done
echo "PASS"
