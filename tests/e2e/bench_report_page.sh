# The benchmark's report page as a person sees it: verdal-bench writes it with
# a frame log, headless Chromium loads it without a console error or a failed
# load, and the browser's screenshot shows the frame-time line of the graph.
# Environment from the test runner: VERDAL_BENCH, RUN_DIR.
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$VERDAL_BENCH" --data "$RUN_DIR" --size 320x240 --frames 6 --step-ms 800 --pass-times \
  --report "$work/report" --frame-log "$work/frames.csv" >"$work/bench.txt" 2>&1 \
  || { cat "$work/bench.txt" >&2; fail "verdal-bench failed"; }
page="$work/report/index.html"
grep -qx "report: $page" "$work/bench.txt" || fail "no report line naming $page"
[ "$(head -n1 "$work/frames.csv" | cut -d, -f1-2)" = "frame,ms" ] || fail "frame log header: $(head -n1 "$work/frames.csv")"
grep -q "scene_ms" "$work/frames.csv" || fail "frame log without the scene pass"
[ "$(wc -l <"$work/frames.csv")" = 7 ] || fail "frame log rows: $(wc -l <"$work/frames.csv") lines for 6 frames"
# Self-contained: nothing is fetched from anywhere.
! grep -Eq '(src|href)="(https?:|file:|/)' "$page" || fail "the page refers to outside files"

# As root, Chromium runs only without its sandbox; a fresh profile each time.
timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-background-networking \
  --disable-component-update --disable-sync --no-first-run --user-data-dir="$work/profile" \
  --enable-logging=stderr --v=0 --window-size=1000,700 --screenshot="$work/shot.png" \
  "file://$page" >"$work/browser.out" 2>"$work/browser.log" || { cat "$work/browser.log" >&2; fail "chromium failed"; }
if grep -E "CONSOLE|Uncaught|Failed to load|net::ERR" "$work/browser.log" >&2; then
  fail "the page logged errors while loading"
fi
[ -s "$work/shot.png" ] || fail "no screenshot"
# The graph sits in the top 400 rows; its line is drawn in one blue.
line=$(convert "$work/shot.png" -crop 1000x400+0+0 -fuzz 12% -fill black +opaque "#1c7ed6" \
  -fill white -opaque "#1c7ed6" -format "%[fx:round(mean*w*h)]" info:)
[ "$line" -gt 300 ] || fail "the frame-time line is not in the screenshot ($line pixels)"
echo "ok"
