#!/usr/bin/env bash
# Makes the README's pictures: the start menu on a virtual screen, and frames of each piece at
# fixed times of a render of the default data, as small PNGs under docs/. Running it again gives
# the same files. Usage: scripts/make-pictures.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
SOURCE=$(pwd)
BUILD=$(cd "${1:-build}" && pwd)
OUT="$SOURCE/docs"
for tool in ffmpeg Xvfb xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "make-pictures: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done
[ -x "$BUILD/triptych" ] && [ -x "$BUILD/datagen" ] || { echo "make-pictures: build the show first (make build)" >&2; exit 1; }

WORK=$(mktemp -d "${TMPDIR:-/tmp}/triptych-pictures.XXXXXX")
XVFB_PID=
cleanup() {
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT
mkdir -p "$OUT"
"$BUILD/datagen" "$WORK/data.data" >/dev/null

# A frame of a rendered file at a time in seconds, scaled to 480x360 with an area filter.
# PNGs carry no time or software chunks, so the same frame gives the same file.
frame_at() { # file seconds name
    ffmpeg -v error -ss "$2" -i "$WORK/$1" -frames:v 1 -vf scale=480:360:flags=area \
        -flags +bitexact -fflags +bitexact -y "$OUT/$3.png"
}

echo "make-pictures: rendering the show at 10 frames per second (seed 1)..."
(cd "$WORK" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy TRIPTYCH_NO_BOXES=1 \
    "$BUILD/triptych" video nomenu fps 10 codec=lossless seed=1 >/dev/null 2>"$WORK/render.log") ||
    { cat "$WORK/render.log" >&2; exit 1; }
frame_at piece_1.avi 60 piece-one
frame_at piece_1.avi 95 piece-one-bars
frame_at piece_2.avi 40 piece-two
frame_at piece_2.avi 100 piece-two-colour
frame_at piece_3.avi 12 piece-three
frame_at piece_3.avi 47 piece-three-photographs

echo "make-pictures: the start menu on a virtual screen..."
for number in $(seq 70 99); do
    [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ] && continue
    Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$number"
    break
done
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/${DISPLAY#:}" ] || [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break; sleep 0.1; done
(cd "$WORK" && SDL_AUDIODRIVER=dummy TRIPTYCH_NO_BOXES=1 timeout 60 "$BUILD/triptych" >/dev/null 2>&1) &
SHOW=$!
# The pointer rests in a corner, away from every control, so no glow moves; the toggles settle.
xdotool mousemove 1023 0 || true
sleep 4
import -window root "$WORK/menu.png"
kill "$SHOW" 2>/dev/null || true
wait "$SHOW" 2>/dev/null || true
convert "$WORK/menu.png" -filter Box -resize 640x480 -strip -define png:exclude-chunks=date,time "$OUT/menu.png"

for picture in "$OUT"/*.png; do
    size=$(stat -c %s "$picture")
    [ "$size" -le 307200 ] || { echo "make-pictures: $picture is $size bytes, over 300 KB" >&2; exit 1; }
done
ls -l "$OUT"/*.png
