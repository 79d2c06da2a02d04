# Rendering onto a file system that fills up, as root on small tmpfs mounts: the render ends with
# the write box and exit code 1, every file it keeps is finished and plays to its last frame, a
# file that could not get its first frame is removed, nothing is left for a part that never
# started, and a warning before the render names the folder, its free space and the estimate.
set -u
. "$(dirname "$0")/../show_data.bash"
[ -x "$BUILD/triptych" ] && [ -f "$BUILD/data.data" ] || skip "the show or data.data is missing"
command -v ffprobe >/dev/null && command -v python3 >/dev/null || skip "ffprobe or python3 missing"
headless_show_environment
mounted=()
cleanup() {
    for point in "${mounted[@]}"; do umount "$point" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

# mount_small NAME MEGABYTES: a tmpfs of that size at $work/NAME, or a skip where mounting is
# not allowed (not root, or a container without the right).
mount_small() {
    mkdir -p "$work/$1"
    mount -t tmpfs -o "size=$2m" tmpfs "$work/$1" 2>/dev/null || skip "cannot mount a tmpfs here"
    mounted+=("$work/$1")
    ln -s "$BUILD/data.data" "$work/$1/data.data"
}

# render NAME CODEC: the whole show rendered into $work/NAME; sets code.
render() {
    (cd "$work/$1" && timeout 300 "$BUILD/triptych" video nomenu fps 10 "codec=$2" >"$work/$1.out" 2>"$work/$1.err")
    code=$?
}

frames_of() {
    ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames -of csv=p=0 "$1"
}

# Room for the opening and part of the main part.
mount_small room 45
render room lossless
[ "$code" = 1 ] || fail "exit code $code on a full disk: $(cat "$work/room.err")"
grep -q "Couldn't write to avi stream - 'No space left on device'" "$work/room.err" || fail "no write message"
grep -q "warning: $work/room has [0-9.]* MB free, and the planned files in codec=lossless take about" \
    "$work/room.err" || fail "no warning about the room before the render: $(head -3 "$work/room.err")"
line=$(grep -o "piece_1.avi: the disk is full; the file is finished after its frame [0-9]*" "$work/room.err") ||
    fail "the message does not say what became of piece_1.avi: $(tail -2 "$work/room.err")"
last=${line##* }
for name in piece_pre1.avi piece_1.avi; do
    python3 "$(dirname "$0")/../hostile/avi_finished.py" "$work/room/$name" || fail "$name is not finished"
done
[ "$(frames_of "$work/room/piece_1.avi")" = "$last" ] || fail "piece_1.avi does not play its $last frames"
[ "$(frames_of "$work/room/piece_pre1.avi")" = 42 ] || fail "the opening lost frames"
for name in piece_post1.avi piece_2.avi piece_3.avi; do
    [ -e "$work/room/$name" ] && fail "$name was left for a part that never started"
done

# Not even room for the opening's first frame, uncompressed: its file goes too.
mount_small tight 6
render tight raw
[ "$code" = 1 ] || fail "exit code $code with no room at all"
grep -q "piece_pre1.avi: the disk is full; the file had no frame yet and was removed" "$work/tight.err" ||
    fail "the message does not say the file was removed: $(tail -2 "$work/tight.err")"
[ -z "$(find "$work/tight" -name '*.avi')" ] || fail "files left: $(ls "$work/tight")"
echo "PASS"
