#!/usr/bin/env bash
# One whole headless render (video nomenu fps 1 codec=mjpeg) of the sanitizer build with leak
# detection on: it must end with exit 0 and the credits, and print no sanitizer or leak report.
# Usage: sanitized_render.bash SANITIZE_BUILD [DATA]; the sanitizer options come from the caller.
set -u
build=$(cd "$1" && pwd)
data=${2:-$build/data.data}
[ -x "$build/triptych" ] || { echo "SKIP: $build/triptych is not built"; exit 77; }
[ -f "$data" ] || { echo "SKIP: no $data"; exit 77; }
work=$(mktemp -d "${TMPDIR:-/tmp}/triptych-sanitized.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/tmp"
ln -s "$(cd "$(dirname "$data")" && pwd)/$(basename "$data")" "$work/data.data"
code=0
(cd "$work" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy TRIPTYCH_NO_BOXES=1 TMPDIR="$work/tmp" \
    timeout 600 "$build/triptych" video nomenu fps 1 codec=mjpeg >"$work/out" 2>"$work/err") || code=$?
status=0
if grep -Eq "ERROR: (Address|Leak)Sanitizer|runtime error:" "$work/err"; then
    echo "FAIL: sanitizer report in the whole render:"
    grep -E -A30 "ERROR: (Address|Leak)Sanitizer|runtime error:" "$work/err" | head -80
    status=1
fi
[ "$code" = 0 ] || { echo "FAIL: exit code $code"; tail -5 "$work/err"; status=1; }
grep -q "created by" "$work/out" || { echo "FAIL: no credits"; status=1; }
[ -z "$(ls -A "$work/tmp")" ] || { echo "FAIL: files left in the temporary directory"; status=1; }
[ "$status" = 0 ] && echo "PASS: the whole render under the sanitizers, leak detection on"
exit $status
