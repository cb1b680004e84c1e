# Rendered frames against committed references: one frame on each of the
# three tours at 320x240, compared pixel by pixel. A pixel counts as changed
# when its colour moves by more than 8 % (rounding differences of another
# processor or driver build stay below that); more than 1 % changed pixels in
# a frame fails, so a pass that breaks or a program that stops compiling shows.
# After a deliberate change of the look: bash tests/e2e/rendered_frames.sh --refresh
# (with VERDAL_BENCH and RUN_DIR set, or from a release build: see README).
# Environment from the test runner: VERDAL_BENCH, RUN_DIR.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
references="$root/tests/reference"
: "${VERDAL_BENCH:=$root/build/release/tools/verdal-bench/verdal-bench}"
: "${RUN_DIR:=$root/build/release/run}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# tour, frames, step: the frame shown is the last one.
frames=("0 3 5000" "1 4 4000" "2 3 9000")
failed=0
for view in "${frames[@]}"; do
  read -r tour count step <<<"$view"
  name="tour-$tour.png"
  # A screenshot folder named relative to where the bench is started, not yet there.
  (cd "$work" && "$VERDAL_BENCH" --data "$RUN_DIR" --path "$tour" --size 320x240 --frames "$count" --step-ms "$step" \
    --gl-debug --screenshot-at "$count" --screenshot-dir "shots-$tour" >"$work/bench.txt" 2>&1) \
    || { cat "$work/bench.txt" >&2; fail "verdal-bench failed on tour $tour"; }
  mv "$work/shots-$tour/frame-$(printf %06d "$count").png" "$work/$name"
  if [ "${1:-}" = "--refresh" ]; then
    cp "$work/$name" "$references/$name"
    echo "refreshed $references/$name"
    continue
  fi
  [ -f "$references/$name" ] || fail "no reference $references/$name"
  changed=$(compare -metric AE -fuzz 8% "$references/$name" "$work/$name" "$work/diff-$name" 2>&1 >/dev/null)
  echo "tour $tour: $changed of 76800 pixels changed"
  if ! [ "${changed%%.*}" -le 768 ] 2>/dev/null; then
    echo "tour $tour differs from $references/$name in $changed pixels" >&2
    failed=1
  fi
done
[ "$failed" = 0 ] || fail "rendered frames differ from the references"
echo "ok"
