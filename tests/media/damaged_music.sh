# The show with a damaged music entry, headless: piece one's module (data/broken) or piece two's
# stream (data/col4.mp3) replaced by bytes that are no music. The show ends with the "Error." box
# and says on stderr which entry failed and why.
set -u
. "$(dirname "$0")/../show_data.bash"
[ -x "$BUILD/triptych" ] || skip "the show is not built"
headless_show_environment
extract_default_entries "$work/files"

# damage ENTRY EXPECTED: packs the data with ENTRY replaced by text, renders the show in video
# mode and checks that stderr carries EXPECTED under "Error.".
damage() {
    local entry=$1 expected=$2 case="$work/case-$(basename "$1")"
    mkdir -p "$case/files"
    cp -r "$work/files/." "$case/files/"
    head -c 20000 /dev/zero | tr '\0' 'Q' >"$case/files/$entry"
    "$BUILD/datapack" create "$case/data.data" -C "$case/files" "${names[@]}" >/dev/null || fail "cannot pack"
    local code=0
    (cd "$case" && timeout 120 "$BUILD/triptych" video nomenu fps 1 >"$case/out" 2>"$case/err") || code=$?
    [ "$code" = 1 ] || fail "exit code $code with a damaged $entry: $(cat "$case/err")"
    grep -qF "Error. ($expected" "$case/err" || fail "$entry is not named under Error.: $(cat "$case/err")"
    [ -z "$(ls -A "$TMPDIR")" ] || fail "files left behind after the damaged $entry"
}

damage data/broken "couldn't load a module from data/broken: not a tracker module"
damage data/col4.mp3 "couldn't create a stream from data/col4.mp3: not an MPEG audio stream"
echo "PASS"
