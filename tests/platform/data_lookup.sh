# Where the show finds data.data, end to end: a copy of the program in a prefix of its own is
# started from another folder, with a file that is no archive in several places at once; the
# error then names the file the show chose, which must be the first of: the current directory,
# beside the program, ../share/triptych from it (also when started through a link), the XDG data
# folders. With none anywhere the terminal lists every place looked, and nothing is left behind.
set -u
. "$(dirname "$0")/../show_data.bash"
[ -x "$BUILD/triptych" ] || skip "the show is not built"
headless_show_environment
prefix=$work/prefix
mkdir -p "$work/here" "$work/links" "$prefix/bin" "$prefix/share/triptych" "$work/first/triptych" \
    "$work/second/triptych"
cp "$BUILD/triptych" "$prefix/bin/triptych"
ln -s "$prefix/bin/triptych" "$work/links/triptych"
export XDG_DATA_DIRS="$work/first:$work/second"

# Runs the program (PROGRAM) from the folder "here"; stderr goes to $work/err.
run_show() {
    local code=0
    (cd "$work/here" && timeout 60 "$1" video nomenu fps 1 codec=mjpeg >"$work/out" 2>"$work/err") || code=$?
    [ "$code" -lt 128 ] || fail "ended by signal $((code - 128)) or timed out: $(cat "$work/err")"
    [ -z "$(ls -A "$TMPDIR")" ] || fail "files left in the temporary directory"
}
# The show chose the file: it could not read it as an archive and names it.
expect_chosen() {
    grep -Fq "cannot read '$1'" "$work/err" || fail "expected $1 to be read: $(cat "$work/err")"
}

places=(here prefix/bin prefix/share/triptych first/triptych second/triptych)
for place in "${places[@]}"; do echo "not an archive" >"$work/$place/data.data"; done
run_show "$prefix/bin/triptych"
expect_chosen data.data # the current directory's, by the name it always had
for k in 1 2 3 4; do
    rm "$work/${places[k - 1]}/data.data"
    run_show "$prefix/bin/triptych"
    expect_chosen "$work/${places[k]}/data.data"
done

# Through a link the program is still the one in the prefix, and finds the prefix's data.
rm "$work/second/triptych/data.data"
echo "not an archive" >"$prefix/share/triptych/data.data"
run_show "$work/links/triptych"
expect_chosen "$prefix/share/triptych/data.data"
rm "$prefix/share/triptych/data.data"

# Nowhere at all: the box text as before, and every place looked on the terminal.
[ -e /usr/share/triptych/data.data ] &&
    skip "the search order holds, but /usr/share/triptych/data.data is installed here, so the case without data cannot run"
run_show "$prefix/bin/triptych"
grep -Fq "Couldn't create temporary files!" "$work/err" || fail "no box text without data: $(cat "$work/err")"
looked="data.data was not found; looked for $work/here/data.data, $prefix/bin/data.data"
looked+=", $prefix/share/triptych/data.data, $work/first/triptych/data.data, $work/second/triptych/data.data"
looked+=", /usr/share/triptych/data.data"
grep -Fq "$looked" "$work/err" || fail "the places looked are not listed: $(cat "$work/err")"
echo "PASS"
