#!/usr/bin/env bash
# The damaged-entry matrix: every entry of the default data.data replaced, one at a time, by
# random bytes, its first third, zeros of the same length, nothing, or an entry of another kind,
# plus crafted worst cases (a picture declaring 60000x60000 pixels, a clip of 8000x8000 pixels,
# an MPEG stream of one frame, a module without orders, an archive of empty entries); each archive rendered headless (video nomenu fps 1 codec=mjpeg) in a fresh directory, bounded
# in time. Each run must end as expectations.tsv says, never by a signal, leave nothing in its
# temporary directory and no unfinished AVI file, and (sanitizer build) print no sanitizer report.
# Usage: damaged_entries.bash BUILD [DATA]   (DATA: the archive to damage, BUILD/data.data by default)
# Environment: HOSTILE_JOBS (2), HOSTILE_TIMEOUT (20 s), HOSTILE_ONLY (a regex on "entry<tab>damage"),
# HOSTILE_KEEP=1 keeps the failing runs' folders.
set -u
here=$(cd "$(dirname "$0")" && pwd)
KEEP_WORK=${HOSTILE_KEEP:-}
. "$here/../show_data.bash"
DATA=${2:-$BUILD/data.data}
jobs=${HOSTILE_JOBS:-2}
limit=${HOSTILE_TIMEOUT:-20}
[ -x "$BUILD/triptych" ] || skip "$BUILD has no triptych"
# The default entries, extracted once; the list of entries is the archive's own.
extract_default_entries "$work/files" "$DATA"
printf '%s\n' "${names[@]}" >"$work/names"

# An entry of another kind for each kind of entry: music where a picture is expected, a picture
# where a clip or music is expected, an MPEG stream where a module is expected.
other_kind() {
    case "$1" in
        *.jpg) echo data/videoclip1.mpg ;;
        data/broken) echo data/videoclip1.mpg ;;
        *) echo data/start.jpg ;;
    esac
}

expected_outcome() { # entry damage
    local entry=$1 damage=$2 pattern kind outcome
    while read -r pattern kind outcome; do
        [[ -z "$pattern" || "$pattern" == \#* ]] && continue
        # shellcheck disable=SC2053
        [[ "$entry" == $pattern ]] && [[ "$damage" == $kind ]] && { echo "$outcome"; return; }
    done <"$here/expectations.tsv"
    echo none
}

# One run: builds the archive in its own folder, renders it, checks the ending; prints one line.
run_case() {
    local entry=$1 damage=$2
    local id; id=$(echo "$entry-$damage" | tr '/.' '__')
    local dir="$work/runs/$id" files="$work/files"
    mkdir -p "$dir/files" "$dir/tmp"
    local source="$files/$entry" size
    [ "$damage" = allempty ] && source="$files/$(head -1 "$work/names")" # every entry, emptied below
    size=$(stat -c %s "$source")
    local damaged="$dir/damaged"
    case "$damage" in
        random | frame | noorders | huge) python3 "$here/craft.py" "$damage" "$source" "$damaged" ;;
        bigclip) ffmpeg -hide_banner -loglevel error -f lavfi -i color=c=gray:s=8000x8000:r=23 -frames:v 2 \
            -c:v mjpeg -q:v 31 -f avi -y "$damaged" ;;
        third) head -c $((size / 3)) "$source" >"$damaged" ;;
        zeros) head -c "$size" /dev/zero >"$damaged" ;;
        empty | allempty) : >"$damaged" ;;
        other) cp "$files/$(other_kind "$entry")" "$damaged" ;;
    esac
    # The other entries are links to the shared copies; only the damaged one is new.
    (cd "$files" && cp -al . "$dir/files/") && rm -f "$dir/files/$entry" && mv "$damaged" "$dir/files/$entry"
    if [ "$damage" = allempty ]; then # new empty files: the shared copies stay as they are
        find "$dir/files" -type f | while read -r f; do rm "$f" && : >"$f"; done
    fi
    mapfile -t all <"$work/names"
    "$BUILD/datapack" create "$dir/data.data" -C "$dir/files" "${all[@]}" >/dev/null 2>"$dir/pack.err" ||
        { echo "FAIL $entry $damage: datapack create: $(head -c 300 "$dir/pack.err")"; return; }
    rm -rf "$dir/files"
    local code=0
    (cd "$dir" && TMPDIR="$dir/tmp" timeout -s KILL "$limit" "$BUILD/triptych" video nomenu fps 1 codec=mjpeg \
        >"$dir/out" 2>"$dir/err") || code=$?
    local problems=() expected; expected=$(expected_outcome "$entry" "$damage")
    local got=""
    local credits=0; grep -q . "$dir/out" && credits=1
    if [ "$code" = 137 ]; then problems+=("still running after ${limit}s")
    elif [ "$code" -gt 128 ]; then problems+=("ended by signal $((code - 128))")
    elif [ "$code" = 1 ] && grep -Eq "Couldn't create temporary files!|Couldn't open avi file|Couldn't decompress video-stream|Couldn't decode clip" "$dir/err"; then got=clip
    elif [ "$code" = 0 ] && [ "$credits" = 1 ] && ! grep -q "Error\." "$dir/err"; then got=ok
    elif [ "$code" = 1 ] && grep -Fq "couldn't read file $entry" "$dir/err"; then got=picture
    elif [ "$code" = 1 ] && grep -Eq "^(triptych: |Error\. \().*$entry" "$dir/err"; then got=cause
    elif [ "$code" = 1 ] && grep -q "Error\." "$dir/err"; then got=error
    else problems+=("exit code $code")
    fi
    if [ -n "$got" ] && [[ "|$expected|" != *"|$got|"* ]]; then problems+=("ended as '$got', expected '$expected'"); fi
    [ "$got" != ok ] && [ "$credits" = 1 ] && [ -n "$got" ] && problems+=("credits after a failure")
    [ -n "$(ls -A "$dir/tmp")" ] && problems+=("left in TMPDIR: $(ls -A "$dir/tmp" | head -3 | tr '\n' ' ')")
    local avi
    for avi in "$dir"/*.avi; do
        [ -e "$avi" ] || continue
        python3 "$here/avi_finished.py" "$avi" >>"$dir/avi.err" 2>&1 || problems+=("unfinished $(basename "$avi"): $(tail -1 "$dir/avi.err")")
    done
    grep -Eq "ERROR: (Address|Leak|Thread)Sanitizer|runtime error:" "$dir/err" && problems+=("sanitizer report: $(grep -Em1 "ERROR: |runtime error:" "$dir/err")")
    if [ ${#problems[@]} -eq 0 ]; then
        echo "pass $entry $damage: $got"
        rm -rf "$dir"
    else
        echo "FAIL $entry $damage: $(IFS=';'; echo "${problems[*]}") | stderr: $(grep -v '^$' "$dir/err" | tail -3 | tr '\n' ' ' | head -c 400)"
        [ -n "${HOSTILE_KEEP:-}" ] || rm -rf "$dir"
    fi
}
export -f run_case expected_outcome other_kind
export BUILD work here limit HOSTILE_KEEP
export TRIPTYCH_NO_BOXES=1 SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy
unset DISPLAY WAYLAND_DISPLAY

# The crafted worst cases that fit an entry's kind.
crafted() {
    case "$1" in
        *.jpg) echo huge ;;
        *.mpg | *.mp3 | data/broken.end) echo frame ;;
        data/broken) echo noorders ;;
        hxaaayqrvpj6duhqmbg3.tmp) command -v ffmpeg >/dev/null && echo bigclip ;;
    esac
}

{
    for entry in "${names[@]}"; do
        for damage in random third zeros empty other $(crafted "$entry"); do printf '%s\t%s\n' "$entry" "$damage"; done
    done
    printf '%s\t%s\n' "${names[0]}" allempty
} | { if [ -n "${HOSTILE_ONLY:-}" ]; then grep -E "${HOSTILE_ONLY}"; else cat; fi; } | xargs -P "$jobs" -d '\n' -n 1 bash -c 'IFS=$'"'"'\t'"'"' read -r e d <<<"$0"; run_case "$e" "$d"' | tee "$work/results"
passed=$(grep -c '^pass ' "$work/results")
failed=$(grep -c '^FAIL ' "$work/results")
echo "damaged entries: $passed passed, $failed failed"
[ "$failed" = 0 ] && [ "$passed" -gt 0 ]
