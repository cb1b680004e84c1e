#!/usr/bin/env bash
# The renderer's savings against drawing everything (VERDAL_DRAW_ALL=1) from
# seeded random camera poses in and around the valley: eyes from 1 mm to 30 m
# above the ground, any heading, pitch within free fly's limits (verdal-probe
# views). Each pose is rendered both ways (2 frames, the second shown) and the
# pictures compared pixel by pixel; a pose differs when more than 0.5 % of its
# pixels move by more than 8 % of colour distance. Prints every pose's count,
# how many differ at all and the largest count, then the poses that differ,
# and exits 1 if any does.
#
#   bench/view_sweep.sh [--views N] [--seed S] [--size WxH] [--build DIR] [--keep DIR]
#
# Defaults: 200 poses, seed 1, 320x240, the release build (build/release:
# verdal-bench, verdal-probe and the run directory). --keep DIR keeps both
# pictures and their difference for every pose that differs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
views=200
seed=1
size=320x240
build="$root/build/release"
keep=""
usage() { echo "usage: $0 [--views N] [--seed S] [--size WxH] [--build DIR] [--keep DIR]" >&2; exit 2; }
while [ $# -gt 0 ]; do
  [ $# -ge 2 ] || usage
  case "$1" in
    --views) views=$2 ;;
    --seed) seed=$2 ;;
    --size) size=$2 ;;
    --build) build=$2 ;;
    --keep) keep=$(realpath -m "$2") ;;
    *) usage ;;
  esac
  shift 2
done
[[ "$size" =~ ^([0-9]+)x([0-9]+)$ ]] || usage
pixels=$((BASH_REMATCH[1] * BASH_REMATCH[2]))
differ_above=$((pixels * 5 / 1000))
build=$(realpath "$build")
bench="$build/tools/verdal-bench/verdal-bench"
probe="$build/tools/verdal-probe/verdal-probe"
data="$build/run"
for tool in "$bench" "$probe" compare; do
  command -v "$tool" >/dev/null || { echo "view_sweep: $tool not found (build the release tree, scripts/setup)" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

poses=$("$probe" --data "$data" views --views "$views" --seed "$seed") || exit 1
render() { # pose, VERDAL_DRAW_ALL, output picture
  (cd "$work" && VERDAL_DRAW_ALL=$2 "$bench" --data "$data" --size "$size" --view "$1" --frames 2 --step-ms 40 \
    --screenshot-at 2 --screenshot-dir shot </dev/null >bench.txt 2>&1) \
    || { cat "$work/bench.txt" >&2; echo "view_sweep: verdal-bench failed on $1" >&2; exit 1; }
  mv "$work/shot/frame-000002.png" "$3"
}

echo "$views poses, seed $seed, $size; a pose differs past $differ_above of $pixels pixels"
index=0
differing=()
touched=0 most=0 most_pose=""
while read -r pose; do
  index=$((index + 1))
  render "$pose" 0 "$work/savings.png"
  render "$pose" 1 "$work/draw-all.png"
  count=$(compare -metric AE -fuzz 8% "$work/savings.png" "$work/draw-all.png" "$work/diff.png" 2>&1 >/dev/null || true)
  [[ "$count" =~ ^[0-9]+$ ]] || { echo "view_sweep: compare gave no pixel count: $count" >&2; exit 1; }
  echo "$index $pose: $count"
  [ "$count" = 0 ] || touched=$((touched + 1))
  if [ "$count" -gt "$most" ]; then most=$count most_pose=$pose; fi
  if [ "$count" -gt "$differ_above" ]; then
    differing+=("$pose: $count pixels")
    if [ -n "$keep" ]; then
      mkdir -p "$keep"
      for picture in savings draw-all diff; do cp "$work/$picture.png" "$keep/pose-$index-$picture.png"; done
    fi
  fi
done <<<"$poses"

echo "$touched of $views poses differ in any pixel${most_pose:+, the most $most pixels at $most_pose}"
echo "${#differing[@]} of $views poses differ in more than 0.5 % of their pixels"
for line in "${differing[@]}"; do echo "  $line"; done
[ "${#differing[@]}" = 0 ]
