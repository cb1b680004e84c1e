# Rendered frames against committed references at 320x240: each tour at two
# moments, and free-fly views with the lake off-centre (the reflection and
# refraction passes draw only where the water shows). A pixel counts as
# changed past 8 % of colour distance; more than 1 % changed pixels fails (a
# pass that breaks). The mean of all differences, each capped at that 8 %,
# may not pass 0.01 %: a texture read one mipmap level too coarse moves it
# by 0.012 to 0.09 % with no pixel past 8 %. llvmpipe's vector width, its
# thread count and our build flags (sanitizers, -march=native) change no
# pixel; its other sampling path (GALLIVM_PERF=no_aos_sampling), another
# driver build in effect, moves the mean by 0.09 %: refresh after a driver update.
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

# name, frames, step in ms, where the camera is: the frame shown is the last one.
frames=(
  "tour-0 3 5000 --path 0"
  "tour-0-lake-left 2 5000 --path 0"
  "tour-1 4 4000 --path 1"
  "tour-1-lake-left 2 5000 --path 1"
  "tour-2 3 9000 --path 2"
  "tour-2-lake-low-left 2 5000 --path 2"
  # 1.5 m up east of the water quad: the lake is a small part of the picture
  "lake-left 2 40 --view 4.5,1.5,2,0.2,0,-0.5"
  "lake-right 2 40 --view 4.5,1.5,2,0.2,0,4"
)
failed=0
for row in "${frames[@]}"; do
  read -r frame count step where <<<"$row"
  name="$frame.png"
  # A screenshot folder named relative to where the bench is started, not yet there.
  # shellcheck disable=SC2086
  (cd "$work" && "$VERDAL_BENCH" --data "$RUN_DIR" $where --size 320x240 --frames "$count" --step-ms "$step" \
    --gl-debug --screenshot-at "$count" --screenshot-dir "shots-$frame" >"$work/bench.txt" 2>&1) \
    || { cat "$work/bench.txt" >&2; fail "verdal-bench failed on $frame"; }
  mv "$work/shots-$frame/frame-$(printf %06d "$count").png" "$work/$name"
  if [ "${1:-}" = "--refresh" ]; then
    cp "$work/$name" "$references/$name"
    echo "refreshed $references/$name"
    continue
  fi
  [ -f "$references/$name" ] || fail "no reference $references/$name"
  changed=$(compare -metric AE -fuzz 8% "$references/$name" "$work/$name" null: 2>&1)
  mean=$(convert "$references/$name" "$work/$name" -alpha off -compose difference -composite -evaluate min 8% \
    -format '%[fx:mean]' info: 2>&1)
  echo "$frame: $changed of 76800 pixels changed, mean difference $mean"
  if ! [ "${changed%%.*}" -le 768 ] 2>/dev/null || ! awk -v m="$mean" 'BEGIN { exit !(m ~ /^[0-9.e+-]+$/ && m <= 0.0001) }'; then
    echo "$frame differs from $references/$name" >&2
    failed=1
  fi
done
[ "$failed" = 0 ] || fail "rendered frames differ from the references"
echo "ok"
