#!/usr/bin/env bash
# The windowed demo in a real window: it shows a picture, a right click
# changes the title, Escape ends it with status 0 within 5 s after printing
# "\n", the scroll text and "\n". Needs an X display (scripts/test.sh starts
# Xvfb); without one it skips, except under CI=true.
# Usage: window_e2e.sh DEMO_FOLDER
set -u
demo_dir=$1
if [ -z "${DISPLAY:-}" ]; then
    if [ "${CI:-}" = true ]; then echo "FAIL: no DISPLAY under CI"; exit 1; fi
    echo "SKIP: no DISPLAY (scripts/test.sh starts Xvfb)"
    exit 77
fi
for tool in xdotool import compare convert timeout; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/deps.sh)"; exit 1; }
done
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; cat "$work/err" 2>/dev/null; exit 1; }

cd "$demo_dir" || fail "no folder $demo_dir"
SOFTBLIT_NO_DIALOGS=1 timeout 60 ./blitdemo-windowed >"$work/out" 2>"$work/err" &
pid=$!
wid=$(timeout 10 xdotool search --sync --onlyvisible --name 'Blit Example' | head -n 1)
[ -n "$wid" ] || fail "no window titled 'Blit Example' within 10 s"
sleep 1
shot() { import -silent -window "$wid" "$1" || fail "cannot read the window back"; }
shot "$work/a.png"
mean=$(convert "$work/a.png" -colorspace Gray -format '%[fx:mean]' info:)
awk -v m="$mean" 'BEGIN { exit !(m > 0.01) }' || fail "the window is black (mean $mean)"

# The title band, where only the effect title and the drifting stars change
# between two effects: compare it before and after a right click. The stars
# in the band (about 90 single pixels) move by a few hundred pixels at most;
# another title changes well over a thousand.
title() { convert "$1" -crop 400x24+120+0 +repage -threshold 50% "$2"; }
title "$work/a.png" "$work/ta.png"
xdotool mousemove --window "$wid" 320 300 click 3
sleep 1
shot "$work/b.png"
title "$work/b.png" "$work/tb.png"
changed=$(compare -metric AE "$work/ta.png" "$work/tb.png" null: 2>&1)
[ "${changed%% *}" -gt 600 ] 2>/dev/null || fail "a right click did not change the title ($changed pixels differ)"

start=$(date +%s.%N)
xdotool key --window "$wid" Escape
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "still running 5 s after Escape"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
size=$(stat -c %s "$work/out")
[ "$size" -eq 2112 ] || fail "printed $size bytes, not the 2110-character scroll text between two newlines"
[ "$(head -c 1 "$work/out" | od -An -c | tr -d ' ')" = '\n' ] || fail "the output does not start with a newline"
[ "$(tail -c 1 "$work/out" | od -An -c | tr -d ' ')" = '\n' ] || fail "the output does not end with a newline"
grep -q "Benvenuto nel primo demo" "$work/out" || fail "the scroll text is not in the output"
echo "PASS ($(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }') s from Escape to exit)"
