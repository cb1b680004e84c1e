# verdal-bench compare as a user runs it: two real runs of the same frames
# give one page that headless Chromium loads without a console error, whose
# screenshot shows both runs' frame-time lines; input that cannot be compared
# ends with one message naming the file and status 2. The runs write into a
# folder that does not exist yet.
# Environment from the test runner: VERDAL_BENCH, RUN_DIR.
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

for run in a b; do
  "$VERDAL_BENCH" --data "$RUN_DIR" --size 320x240 --frames 12 --step-ms 500 --pass-times \
    --results "$work/runs/$run.json" --frame-log "$work/runs/$run.csv" >"$work/$run.txt" 2>&1 \
    || { cat "$work/$run.txt" >&2; fail "verdal-bench run $run failed"; }
done
"$VERDAL_BENCH" compare "$work/runs/a.json" "$work/runs/b.json" --report "$work/page" >"$work/compare.txt" 2>&1 \
  || { cat "$work/compare.txt" >&2; fail "compare failed"; }
cat "$work/compare.txt"
grep -Eq '^fps_average: [0-9.]+ \| [0-9.]+ \([+-][0-9.]+ %, (within|beyond) spread [0-9.]+ %\)$' "$work/compare.txt" \
  || fail "no frame-rate line with its change and spread"
grep -q '^pass_ms_scene: ' "$work/compare.txt" || fail "no line for the scene pass"

timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic --disable-background-networking \
  --disable-component-update --disable-sync --no-first-run --user-data-dir="$work/profile" \
  --enable-logging=stderr --v=0 --window-size=1000,700 --screenshot="$work/shot.png" \
  "file://$work/page/index.html" >"$work/browser.out" 2>"$work/browser.log" || { cat "$work/browser.log" >&2; fail "chromium failed"; }
if grep -E "CONSOLE|Uncaught|Failed to load|net::ERR" "$work/browser.log" >&2; then
  fail "the page logged errors while loading"
fi
# Run A's line is blue, run B's orange, both in the graph at the top.
for colour in "#1c7ed6" "#e8590c"; do
  line=$(convert "$work/shot.png" -crop 1000x560+0+0 -fuzz 12% -fill black +opaque "$colour" \
    -fill white -opaque "$colour" -format "%[fx:round(mean*w*h)]" info:)
  [ "$line" -gt 300 ] || fail "the line in $colour is not in the screenshot ($line pixels)"
done

# name, the second file, what the one message must say
sed 's/"results_version": 2,//' "$work/runs/b.json" >"$work/older.json"
sed 's/"frames": 12/"frames": 13/' "$work/runs/b.json" >"$work/longer.json"
head -c 100 "$work/runs/b.json" >"$work/cut.json"
cases=(
  "missing|$work/none.json|none.json: no such file"
  "older|$work/older.json|older.json: written by an older verdal-bench"
  "mismatched|$work/longer.json|longer.json rendered other frames than $work/runs/a.json: frames 13 against 12"
  "cut|$work/cut.json|cut.json: not a results file"
)
for row in "${cases[@]}"; do
  IFS='|' read -r name file message <<<"$row"
  "$VERDAL_BENCH" compare "$work/runs/a.json" "$file" --report "$work/$name" >"$work/$name.out" 2>"$work/$name.err"
  status=$?
  [ "$status" = 2 ] || fail "$name input: status $status"
  [ "$(wc -l <"$work/$name.err")" = 1 ] && grep -qF "$message" "$work/$name.err" \
    || { cat "$work/$name.err" >&2; fail "$name input: not the one message '$message'"; }
  [ ! -e "$work/$name/index.html" ] || fail "$name input: a page was written"
done
echo "ok"
