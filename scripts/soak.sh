#!/usr/bin/env bash
# The whole live show once, start to finish, on a private Xvfb screen with a dummy sound driver
# (nomenu window, every piece): checks exit code 0 with the credits on stdout, resident memory
# growth from right after preload to the credits (<= SOAK_GROWTH_KB, 5120 by default) and the
# share of presents that came more than 20 ms after the previous one (<= 1%).
set -u
build=$(cd "${1:-build}" && pwd)
max_growth_kb=${SOAK_GROWTH_KB:-5120}
[ -x "$build/triptych" ] || { echo "soak: $build/triptych is not built"; exit 1; }
[ -f "$build/data.data" ] || { echo "soak: no $build/data.data (make data)"; exit 1; }
command -v Xvfb >/dev/null || { echo "soak: Xvfb is not installed"; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/triptych-soak.XXXXXX")
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
for number in $(seq $((30 + $$ % 60)) 99) $(seq 30 99); do
    [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ] && continue
    Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$number" ] && break; sleep 0.1; done
    [ -e "/tmp/.X11-unix/X$number" ] && break
    kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; xvfb_pid=
done
[ -n "$xvfb_pid" ] || { echo "soak: no Xvfb screen could start"; exit 1; }
mkdir -p "$work/run/tmp"
ln -s "$build/data.data" "$work/run/data.data"
echo "soak: the whole show on :$number (about six and a half minutes with all three pieces)"
start=$(date +%s)
code=0
(cd "$work/run" && DISPLAY=":$number" SDL_AUDIODRIVER=dummy TRIPTYCH_STATS=1 TRIPTYCH_NO_BOXES=1 TMPDIR="$work/run/tmp" \
    timeout 900 "$build/triptych" nomenu window >"$work/out" 2>"$work/err") || code=$?
echo "soak: ran $(($(date +%s) - start)) s, exit code $code"
grep "stats:" "$work/err"
status=0
[ "$code" = 0 ] || { echo "soak: FAIL: exit code $code"; tail -5 "$work/err"; status=1; }
grep -q "created by" "$work/out" || { echo "soak: FAIL: no credits on stdout"; status=1; }
preload=$(sed -n 's/.*stats: after preload: resident \([0-9]*\) kB.*/\1/p' "$work/err")
credits=$(sed -n 's/.*stats: at the credits: resident \([0-9]*\) kB, presents \([0-9]*\), slower than 20 ms \([0-9]*\).*/\1 \2 \3/p' "$work/err")
if [ -z "$preload" ] || [ -z "$credits" ]; then
    echo "soak: FAIL: the show printed no stats"
    exit 1
fi
read -r at_credits presents slow <<<"$credits"
growth=$((at_credits - preload))
share=$(awk -v s="$slow" -v p="$presents" 'BEGIN { printf "%.2f", p ? 100 * s / p : 100 }')
echo "soak: resident after preload ${preload} kB, at the credits ${at_credits} kB, growth ${growth} kB (limit ${max_growth_kb})"
echo "soak: frames presented ${presents}, slower than 20 ms ${slow} (${share}%, limit 1%)"
[ "$growth" -le "$max_growth_kb" ] || { echo "soak: FAIL: resident memory grew by ${growth} kB"; status=1; }
awk -v s="$slow" -v p="$presents" 'BEGIN { exit !(p > 0 && s * 100 <= p) }' || { echo "soak: FAIL: too many slow presents"; status=1; }
[ -z "$(ls -A "$work/run/tmp")" ] || { echo "soak: FAIL: files left in the temporary directory"; status=1; }
[ "$status" = 0 ] && echo "soak: PASS"
exit $status
