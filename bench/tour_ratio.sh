#!/usr/bin/env bash
# Frame rate of each demo tour against glmark2's refract scene at the same
# size, measured in one run, interleaved (glmark2, tour 0, 1, 2, then again)
# so that a machine shared with other work slows both alike. Prints per tour
# the median frame rates of the rounds and their ratio.
#
#   bench/tour_ratio.sh [--rounds N] [--size WxH] [--scene NAME] [--tours "0 1 2"]
#                       [--bench PATH] [--data DIR]...
#
# Defaults: 2 rounds at 800x600 against glmark2's refract scene, all three
# tours, the release build's verdal-bench and run directory (scripts/run
# builds both). --scene terrain compares with glmark2's outdoor scene instead.
# Given --data more than once, each round runs the tours on every directory in
# turn (a copy with other programs, say) and the results name the directory.
# glmark2 (Debian's glmark2-x11) draws into a virtual X server of its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rounds=2
size=800x600
scene=refract
tours="0 1 2"
bench="$root/build/release/tools/verdal-bench/verdal-bench"
datas=()
while [ $# -gt 0 ]; do
  case "$1" in
    --rounds) rounds=$2; shift 2 ;;
    --size) size=$2; shift 2 ;;
    --scene) scene=$2; shift 2 ;;
    --tours) tours=$2; shift 2 ;;
    --bench) bench=$2; shift 2 ;;
    --data) datas+=("$2"); shift 2 ;;
    *) echo "usage: $0 [--rounds N] [--size WxH] [--scene NAME] [--tours \"0 1 2\"] [--bench PATH] [--data DIR]..." >&2; exit 2 ;;
  esac
done
[ ${#datas[@]} -gt 0 ] || datas=("$root/build/release/run")
for tour in $tours; do
  case "$tour" in 0|1|2) ;; *) echo "tour_ratio: no tour $tour (0, 1 or 2)" >&2; exit 2 ;; esac
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
  "$bench" --data "$2" --path "$1" --size "$size" --warmup-frames 1 --frames 19 --step-ms 1960 \
    | sed -n 's/^fps_average: //p'
}

declare -A fps
for round in $(seq 1 "$rounds"); do
  g=$(glmark); [ -n "$g" ] || { echo "tour_ratio: glmark2 gave no frame time" >&2; exit 1; }
  fps[g]+="$g "
  line="round $round: glmark2 $scene $g fps"
  for d in "${!datas[@]}"; do
    label=""; [ ${#datas[@]} -eq 1 ] || label=" ($(basename "${datas[$d]}"))"
    for path in $tours; do
      f=$(tour "$path" "${datas[$d]}")
      [ -n "$f" ] || { echo "tour_ratio: verdal-bench failed on tour $path with ${datas[$d]}" >&2; exit 1; }
      fps[$d.$path]+="$f "
      line+=", tour $path$label $f fps"
    done
  done
  echo "$line"
done

median() { tr ' ' '\n' | grep . | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
g=$(echo "${fps[g]}" | median)
captions=("Grass and Trees" "Water and Shadows" "Depth-Of-Field and Animated Sky")
echo "size $size, $rounds rounds, medians: glmark2 $scene $g fps"
for d in "${!datas[@]}"; do
  label=""; [ ${#datas[@]} -eq 1 ] || label=" with $(basename "${datas[$d]}")"
  for path in $tours; do
    t=$(echo "${fps[$d.$path]}" | median)
    awk -v p="$path" -v c="${captions[$path]}" -v l="$label" -v t="$t" -v g="$g" \
      'BEGIN { printf "tour %s (%s)%s: %.2f fps, ratio %.2f\n", p, c, l, t, t / g }'
  done
done
