#!/usr/bin/env bash
# Frame rate of each demo tour against glmark2's refract scene at the same
# size, measured in one run, interleaved (glmark2, tour 0, 1, 2, then again)
# so that a machine shared with other work slows both alike. Prints per tour
# the median frame rates of the rounds and their ratio.
#
#   bench/tour_ratio.sh [--rounds N] [--size WxH] [--scene NAME] [--bench PATH] [--data DIR]
#
# Defaults: 2 rounds at 800x600 against glmark2's refract scene, the release
# build's verdal-bench and run directory (scripts/run builds both). --scene
# terrain compares with glmark2's outdoor scene instead. glmark2 (Debian's
# glmark2-x11) draws into a virtual X server of its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rounds=2
size=800x600
scene=refract
bench="$root/build/release/tools/verdal-bench/verdal-bench"
data="$root/build/release/run"
while [ $# -gt 0 ]; do
  case "$1" in
    --rounds) rounds=$2; shift 2 ;;
    --size) size=$2; shift 2 ;;
    --scene) scene=$2; shift 2 ;;
    --bench) bench=$2; shift 2 ;;
    --data) data=$2; shift 2 ;;
    *) echo "usage: $0 [--rounds N] [--size WxH] [--scene NAME] [--bench PATH] [--data DIR]" >&2; exit 2 ;;
  esac
done
for tool in glmark2 xvfb-run "$bench"; do
  command -v "$tool" >/dev/null || { echo "tour_ratio: $tool not found (scripts/setup, scripts/run)" >&2; exit 1; }
done

# glmark2's scene; its frame time in ms gives the frame rate.
glmark() {
  xvfb-run -a -s "-screen 0 1920x1280x24" glmark2 --off-screen -s "$size" -b "$scene" 2>&1 \
    | sed -n "s/.*\[$scene\].*FrameTime: \([0-9.]*\) ms.*/\1/p" | awk '{ printf "%.3f\n", 1000 / $1 }'
}
# One frame per segment of a tour's 20 (frames at 1960 ms a step): the whole
# tour, every view weighted alike. Start-up is not counted, nor the first
# frame, which also renders the shadow map and has the driver compile every
# program (glmark2 likewise sets its scene up before it counts).
tour() {
  "$bench" --data "$data" --path "$1" --size "$size" --warmup-frames 1 --frames 19 --step-ms 1960 \
    | sed -n 's/^fps_average: //p'
}

declare -A fps
for round in $(seq 1 "$rounds"); do
  g=$(glmark); [ -n "$g" ] || { echo "tour_ratio: glmark2 gave no frame time" >&2; exit 1; }
  fps[g]+="$g "
  line="round $round: glmark2 $scene $g fps"
  for path in 0 1 2; do
    f=$(tour "$path"); [ -n "$f" ] || { echo "tour_ratio: verdal-bench failed on tour $path" >&2; exit 1; }
    fps[$path]+="$f "
    line+=", tour $path $f fps"
  done
  echo "$line"
done

median() { tr ' ' '\n' | grep . | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
g=$(echo "${fps[g]}" | median)
captions=("Grass and Trees" "Water and Shadows" "Depth-Of-Field and Animated Sky")
echo "size $size, $rounds rounds, medians: glmark2 $scene $g fps"
for path in 0 1 2; do
  t=$(echo "${fps[$path]}" | median)
  awk -v p="$path" -v c="${captions[$path]}" -v t="$t" -v g="$g" \
    'BEGIN { printf "tour %s (%s): %.2f fps, ratio %.2f\n", p, c, t, t / g }'
done
