#!/usr/bin/env bash
# datapack end to end: create, list, extract and check, then hostile archives and bad input,
# each with its exit code, a one-line "datapack: ..." message and no crash or leftover file.
set -u
build=$(cd "$1" && pwd)
tool="$build/datapack"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# expect CODE COMMAND...: runs the command, checks its exit code, keeps stdout/stderr.
expect() {
  local want=$1; shift
  "$@" >out.txt 2>err.txt
  local got=$?
  [ "$got" -eq "$want" ] || fail "exit $got (wanted $want): $* -- $(cat err.txt)"
  if [ "$want" -ne 0 ]; then
    [ "$(wc -l <err.txt)" -eq 1 ] || fail "not one line on stderr: $* -- $(cat err.txt)"
    grep -q '^datapack: ' err.txt || fail "message without 'datapack: ': $*"
  fi
}

marker='@@VorlandBinderStampMarkQuelbrisOttamerSeal01'

# --- a normal round trip ---
mkdir -p assets/data/sub
printf 'first picture' >assets/data/1.jpg
printf '' >assets/data/empty.bin
head -c 3000 /dev/urandom >assets/data/sub/noise.bin
printf 'loose' >top.txt
expect 0 "$tool" create show.data -C assets data/1.jpg data/empty.bin data/sub/noise.bin
expect 0 "$tool" list show.data
[ "$(cut -f1,2 out.txt | tr '\t' ' ')" = "data/1.jpg 13
data/empty.bin 0
data/sub/noise.bin 3000" ] || fail "list shows $(cat out.txt)"
expect 0 "$tool" check show.data
grep -q "OK, 3 entries, 3013 bytes" out.txt || fail "check summary: $(cat out.txt)"

expect 0 "$tool" extract show.data Data/1.JPG
[ "$(cat 1.jpg)" = "first picture" ] || fail "extract by name in other case"
expect 0 "$tool" extract show.data noise.bin copy.bin
cmp -s copy.bin assets/data/sub/noise.bin || fail "extract by last path part"
expect 0 "$tool" extract show.data empty.bin
[ -f empty.bin ] && [ ! -s empty.bin ] || fail "empty entry extracts to an empty file"
expect 1 "$tool" extract show.data 'data\1.jpg'
grep -q 'no entry matches' err.txt || fail "backslash name: $(cat err.txt)"

# a directory argument packs its files in name order; names without -C are the paths as given
expect 0 "$tool" create dir.data -C assets ./data/ -C . ./top.txt
expect 0 "$tool" list dir.data
[ "$(cut -f1 out.txt | tr '\n' ' ')" = "data/1.jpg data/empty.bin data/sub/noise.bin top.txt " ] || fail "directory listing: $(cat out.txt)"
expect 0 "$tool" create empty.data
expect 0 "$tool" check empty.data
grep -q "OK, 0 entries" out.txt || fail "empty archive check"

# --- refusals when creating ---
printf x >'at@sign'
expect 1 "$tool" create bad.data 'at@sign'
grep -q '"@"' err.txt || fail "@ in a name: $(cat err.txt)"
expect 1 "$tool" create bad.data does-not-exist
grep -q 'does-not-exist' err.txt || fail "missing input not named"
expect 1 "$tool" create no/such/dir/out.data top.txt
[ ! -e bad.data ] || fail "a refused create left bad.data"
cp show.data keep.data
expect 1 "$tool" create keep.data missing-file
cmp -s keep.data show.data || fail "a failed create changed the existing archive"
ls ./*.partial-* >/dev/null 2>&1 && fail "temporary files left behind"

# --- hostile archives: refused with exit 1 and one line, never a crash (the reader's own tests
# go through every kind of damage; here each command meets a few) ---
hostile() { # name, bytes after the marker
  printf '%s%s' "$marker" "$2" >"$1"
  expect 1 "$tool" check "$1"
  expect 1 "$tool" list "$1"
  expect 1 "$tool" extract "$1" a
}
hostile negative.data '@a@-5@@xxxxx'
hostile pastend.data '@a@100@@short'
expect 1 "$tool" list missing.data
grep -q 'missing.data' err.txt || fail "missing archive not named"

# archives the reader takes but check does not pass
printf '%s@a@1@@xTRAILING' "$marker" >trailing.data
expect 0 "$tool" list trailing.data
expect 1 "$tool" check trailing.data
printf '%s@a/x@1@b/x@1@@12' "$marker" >shadow.data
expect 0 "$tool" extract shadow.data x -
[ "$(cat out.txt)" = "1" ] || fail "first match wins"
expect 0 "$tool" check shadow.data
printf '%s@x@1@X@1@@12' "$marker" >twins.data
expect 1 "$tool" check twins.data

# --- usage errors ---
for arguments in "" frobnicate list "extract show.data"; do expect 1 "$tool" $arguments; done
expect 0 "$tool" help

if [ "$failures" -ne 0 ]; then echo "$failures failure(s)"; exit 1; fi
echo "datapack_cli: all passed"
