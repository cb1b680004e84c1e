#!/usr/bin/env bash
# The renderer's savings (groups culled by the view or by where the water lies,
# the reflection and refraction images kept to the water's place on screen,
# the draw order that lets the depth test turn hidden fragments away) must
# leave the picture as drawing everything gives it, from any eye free fly can
# reach. Each awkward view below is rendered with the savings and with
# VERDAL_DRAW_ALL=1 and the two pictures compared pixel by pixel.
# `exact_views.sh --keep DIR` keeps both pictures and the difference of every
# view that fails in DIR.
# Environment from the test runner: VERDAL_BENCH, RUN_DIR.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
: "${VERDAL_BENCH:=$root/build/release/tools/verdal-bench/verdal-bench}"
: "${RUN_DIR:=$root/build/release/run}"
VERDAL_BENCH=$(realpath "$VERDAL_BENCH") RUN_DIR=$(realpath "$RUN_DIR")
keep=""
if [ "${1:-}" = "--keep" ]; then keep=$(realpath -m "${2:?--keep wants a folder}"); fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

size=320x240
pixels=$((320 * 240))
# A pixel counts as different past 8 % of colour distance, as in
# rendered_frames.sh. Both pictures come from the same driver on the same
# machine, so a saving that is exact leaves none; a few may still move where
# the two draw orders rasterise a shared edge or a depth tie differently.
# 0.05 % (38 pixels) is below what a group wrongly culled, a reflection culled
# without its mirror or a water region cut too tight leaves in the views that
# show it: from about 70 pixels (a thin line along the far shore) to most of
# the picture.
allowed=$((pixels * 5 / 10000))
# Every view must show something else than the one before it in at least this
# many pixels (5 %): otherwise the camera did not go where it was sent, and
# the comparison proves nothing.
distinct=$((pixels * 5 / 100))

# Name and pose (eye, then the point looked at; world units, water at y = 0,
# the lake around (0.2, 1.9), the valley x -14..14, z -12.4..15.6). Ground
# heights are those of Scene/Verdal4.kxr, read with
# `verdal-probe --data RUN_DIR ground X,Z`.
views=(
  # 5 mm over the lake (bed at -0.2), looking level along it
  "over-water-level 0.2,0.005,1.9,1.2,0.005,1.9"
  # 5 mm over the lake, looking down at free fly's steepest (80 degrees)
  "over-water-down 0,0.005,1.8,0.1736,-0.9798,1.8"
  # 5 mm over the lake, looking across the water to the west shore
  "over-water-across 1.2,0.005,2.2,-1.5,0.03,1.6"
  # on the waterline (ground 0.0002 at 0.2,0.98), 5 mm up, looking along the shore
  "waterline 0.2,0.005,0.98,1.2,0.005,0.98"
  # 5 mm under the surface, looking up at 45 degrees
  "under-surface -0.3,-0.005,2,0.4,0.695,2"
  # 10 cm under the water, looking level to the near shore
  "under-water 0.2,-0.1,1.9,0.2,-0.1,0.9"
  # 8 mm over the sand near the lake (ground 0.01608), looking across the water
  "shore-ground 0.2,0.0241,0.95,0.2,0.0241,2.9"
  # 5 mm over a hillside east of the lake (ground 1.14251), looking down to the lake
  "slope-ground 8,1.14751,1.6,0.2,0,1.9"
  # 44 cm over a hillside (ground 1.58153), looking down at 66 degrees: the eye
  # inside the ground's box, the box's corners on both sides of the eye
  "hillside-down 7.85,2.02,6.94,8.07,1.11,7.27"
  # from the start pose, looking up at free fly's highest pitch (57 degrees)
  "up-steepest 0,0.19,0.68,0,1.0287,1.2246"
  # nearly straight up (0.06 degrees off) from 13 cm over the meadow (ground 0.05718)
  "up-nearly-vertical 0.3,0.19,0.68,0.301,1.19,0.68"
  # nearly straight down onto the lake from 1.5 m
  "down-nearly-vertical 0.5,1.5,2,0.5,0.5,2.001"
  # a metre inside the hill west of the lake (ground 1.95654), looking at the stage
  "inside-hill -10,1,1.6,0,0.3,1.6"
  # under the ground (0.08757) just beyond the water quad's east edge, 4 cm over
  # the water plane: the quad's edge shows, and the ripples read past it
  "under-ground-by-water 3.3,0.04,1.9,0.2,0,1.9"
  # 2.8 m over the south rim (ground 2.18387), looking into the valley
  "above-rim 0,5,-12,0,0.5,1.6"
  # beyond the south edge, below the rim's height, looking in
  "outside-valley 0,1,-17,0,0.5,1.6"
  # 40 m over the stage, looking down at 70 degrees
  "far-above 0,40,1.6,0,39.0603,1.942"
)

render() { # name, pose, output picture, VERDAL_DRAW_ALL
  local name=$1 pose=$2 out=$3 draw_all=$4
  (cd "$work" && VERDAL_DRAW_ALL=$draw_all "$VERDAL_BENCH" --data "$RUN_DIR" --size "$size" --view "$pose" --frames 2 --step-ms 40 \
    --gl-debug --screenshot-at 2 --screenshot-dir "shot" >"bench.txt" 2>&1) \
    || { cat "$work/bench.txt" >&2; fail "verdal-bench failed on $name (VERDAL_DRAW_ALL=$draw_all)"; }
  grep -qx "view: .*" "$work/bench.txt" || fail "$name: no view line in the figures"
  mv "$work/shot/frame-000002.png" "$out"
}

differing() { # picture, picture, difference picture: pixels that differ
  local count
  count=$(compare -metric AE -fuzz 8% "$1" "$2" "$3" 2>&1 >/dev/null || true)
  [[ "$count" =~ ^[0-9]+$ ]] || fail "compare gave no pixel count: $count"
  echo "$count"
}

# Usage errors: one message and exit status 2, before any context is made.
bad_views=(
  "1,2,3|six numbers"
  "1,2,3,4,5,6,7|six numbers"
  "0,1,0,1,x,0|six numbers"
  "nan,0,0,1,1,1|six numbers"
  "1,1,1,1,1,1|a target apart from the eye"
  "0,1,0,0,5,0|off the vertical"
  "0.2,1,1.9,0.2,-3,1.9|off the vertical"
)
for row in "${bad_views[@]}"; do
  pose=${row%%|*} message=${row#*|}
  status=0
  "$VERDAL_BENCH" --view "$pose" >"$work/usage.txt" 2>&1 || status=$?
  [ "$status" = 2 ] || fail "--view $pose: exit status $status, expected 2"
  grep -q -- "--view wants .*$message" "$work/usage.txt" || fail "--view $pose: no message saying '$message'"
done

failed=()
previous=""
for entry in "${views[@]}"; do
  read -r name pose <<<"$entry"
  render "$name" "$pose" "$work/$name-savings.png" 0
  render "$name" "$pose" "$work/$name-draw-all.png" 1
  changed=$(differing "$work/$name-savings.png" "$work/$name-draw-all.png" "$work/$name-diff.png")
  echo "$name ($pose): $changed of $pixels pixels differ"
  if [ "$changed" -gt "$allowed" ]; then
    failed+=("$name")
    if [ -n "$keep" ]; then
      mkdir -p "$keep"
      cp "$work/$name-savings.png" "$work/$name-draw-all.png" "$work/$name-diff.png" "$keep/"
    fi
  fi
  if [ -n "$previous" ]; then
    moved=$(differing "$work/$previous-draw-all.png" "$work/$name-draw-all.png" "$work/moved.png")
    [ "$moved" -ge "$distinct" ] || fail "$name looks like $previous ($moved pixels differ): the view was not taken"
  fi
  previous=$name
done
[ "${#failed[@]}" = 0 ] || fail "${#failed[@]} views differ with the savings in more than $allowed pixels: ${failed[*]}"
echo "ok"
