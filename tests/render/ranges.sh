# Renders of a range against the whole render with the same words and seed: each range's files
# hold exactly the frames whose show time lies in [from, to), picture and sound identical to the
# same frames of the whole render. The ranges cross the opening into the main part, sit in the
# closing's bursts, run to the end of piece two, and sit in piece three, whose random numbers
# continue piece two's. Bad ranges and an unknown codec are refused with exit 2, naming the word,
# before any file.
set -u
. "$(dirname "$0")/../show_data.bash"
[ -x "$BUILD/triptych" ] && [ -f "$BUILD/data.data" ] || skip "the show or data.data is missing"
command -v ffmpeg >/dev/null && command -v ffprobe >/dev/null || skip "ffmpeg or ffprobe missing"
headless_show_environment
fps=5
parts=(piece_pre1 piece_1 piece_post1 piece_2 piece_3)

# render NAME WORDS...: the show rendered in $work/NAME; sets code.
render() {
    local name=$1
    shift
    mkdir -p "$work/$name"
    ln -sf "$BUILD/data.data" "$work/$name/data.data"
    (cd "$work/$name" && timeout 300 "$BUILD/triptych" video nomenu fps $fps seed=11 "$@" >"$work/$name.out" 2>&1)
    code=$?
}
video_sums() { ffmpeg -nostdin -v error -i "$1" -map 0:v -f framemd5 - | grep -v '^#' | awk -F, '{print $6}'; }
sound_of() { ffmpeg -nostdin -v error -i "$1" -map 0:a -f s16le -; }

render whole
[ $code -eq 0 ] || fail "the whole render exited $code"
declare -A start
at=0
for part in "${parts[@]}"; do
    start[$part]=$at
    video_sums "$work/whole/$part.avi" >"$work/$part.sums"
    at=$((at + $(wc -l <"$work/$part.sums")))
done

# check_range FROM_SECONDS TO_SECONDS FROM_WORD TO_WORD EXPECTED_PARTS...
check_range() {
    local from=$1 to=$2 fromWord=$3 toWord=$4 name="range_${3//[:.]/_}"
    shift 4
    render "$name" "from=$fromWord" ${toWord:+"to=$toWord"}
    [ $code -eq 0 ] || fail "from=$fromWord exited $code"
    local files
    files=$(cd "$work/$name" && ls *.avi | sed 's/\.avi$//' | sort | tr '\n' ' ')
    [ "$files" = "$(printf '%s\n' "$@" | sort | tr '\n' ' ')" ] || fail "from=$fromWord wrote $files, not $*"
    local first=$((from * fps)) end=$((to * fps))
    for part in "$@"; do
        local s=${start[$part]} n
        n=$(wc -l <"$work/$part.sums")
        local lo=$((first > s ? first - s : 0)) hi=$((end - s < n ? end - s : n))
        video_sums "$work/$name/$part.avi" >"$work/got.sums"
        sed -n "$((lo + 1)),${hi}p" "$work/$part.sums" >"$work/want.sums"
        cmp -s "$work/want.sums" "$work/got.sums" ||
            fail "from=$fromWord: $part.avi does not hold frames $lo..$((hi - 1)) of the whole render"
        local per=$((44100 / fps * 4))
        sound_of "$work/whole/$part.avi" 2>/dev/null | tail -c +$((lo * per + 1)) | head -c $(((hi - lo) * per)) >"$work/want.pcm"
        sound_of "$work/$name/$part.avi" >"$work/got.pcm"
        cmp -s "$work/want.pcm" "$work/got.pcm" || fail "from=$fromWord: the sound of $part.avi differs from the whole render's"
    done
}

end_of_show=$(((at + fps - 1) / fps))
check_range 3 6 0:03 0:06 piece_pre1 piece_1
check_range 121 124 2:01 2:04 piece_post1
check_range 274 278 4:34 4:38 piece_2 piece_3
check_range 300 303 300 303 piece_3
check_range 378 $end_of_show 6:18 "" piece_3

# refuse WORDS... : exit 2, the first word named on stderr, nothing written.
refuse() {
    render refused "$@"
    [ $code -eq 2 ] || fail "$* exited $code, not 2"
    grep -qF -- "${1%%=*}=" "$work/refused.out" || fail "$* was refused without naming the word"
    [ -z "$(ls "$work/refused" | grep -v data.data)" ] || fail "$* left files behind"
    rm -rf "$work/refused"
}
for words in "from=2:00 to=1:00" from=7:00 from=2:3x to=-5 from=1:75 codec=h264; do
    refuse $words
done
(cd "$work" && "$BUILD/triptych" loop video >/dev/null 2>&1); [ $? -eq 2 ] || fail "loop with video was not refused"
echo "PASS: ranges render the whole render's frames and sound; bad words are refused"
