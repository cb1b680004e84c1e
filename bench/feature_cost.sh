#!/usr/bin/env bash
# What the lit scene's three dearest features cost, against glmark2's refract
# scene: the tours run on copies of the run directory whose programs leave out
# the scenery's normal map, its shadow lookup, the depth-of-field blur, or all
# three, interleaved with glmark2 and the unchanged directory in every round
# (bench/tour_ratio.sh). Only the copies' shader files differ; each copy is
# named after what it leaves out.
#
#   bench/feature_cost.sh [--data DIR] [tour_ratio.sh options: --rounds, --size, --tours, --bench]
#
# The copies are deleted afterwards. An edit that no longer finds its line
# stops the script, rather than measuring an unchanged program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
data="$root/build/release/run"
pass=()
while [ $# -gt 0 ]; do
  case "$1" in
    --data) data=$2; shift 2 ;;
    --rounds|--size|--tours|--bench) pass+=("$1" "$2"); shift 2 ;;
    *) echo "usage: $0 [--data DIR] [--rounds N] [--size WxH] [--tours \"0 1 2\"] [--bench PATH]" >&2; exit 2 ;;
  esac
done
[ -f "$data/Shader/lighting.fsh" ] || { echo "feature_cost: no Shader/lighting.fsh in $data (scripts/run)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# replace DIR FILE OLD NEW: OLD, a whole statement of the shader, becomes NEW.
replace() {
  local file="$1/Shader/$2" text
  text=$(<"$file")
  [[ "$text" == *"$3"* ]] || { echo "feature_cost: $2 no longer has: $3" >&2; exit 1; }
  printf '%s\n' "${text//"$3"/"$4"}" >"$file"
}
no_normal_map() { replace "$1" lighting.fsh \
  "vec3 n = normalize(texture2D(normalMap, baseCoord).xyz * 2.0 - 1.0);" "vec3 n = vec3(0.0, 0.0, 1.0);"; }
no_shadow() { replace "$1" lighting.fsh "float visible = lightVisibility();" "float visible = 1.0;"; }
# The taps' lookups go with their only use.
no_blur() { replace "$1" dof.fsh "gl_FragColor = vec4(sum / weight, 1.0);" "gl_FragColor = vec4(centre.rgb, 1.0);"; }

dirs=()
copy() {
  local dir="$work/$1"
  shift
  cp -r "$data" "$dir"
  for edit in "$@"; do "$edit" "$dir"; done
  dirs+=("$dir")
}
copy full
copy no-normal-map no_normal_map
copy no-shadow no_shadow
copy no-blur no_blur
copy none-of-the-three no_normal_map no_shadow no_blur
args=()
for dir in "${dirs[@]}"; do args+=(--data "$dir"); done
"$root/bench/tour_ratio.sh" "${pass[@]}" "${args[@]}"
