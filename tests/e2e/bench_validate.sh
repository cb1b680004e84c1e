# verdal-bench --validate as a user runs it: the clean build passes against
# the references shipped with the data and its page shows reference, result
# and difference of every frame; a mirror flipped in the water's program
# fails; references that cannot be used end with one message and status 2.
# Environment from the test runner: VERDAL_BENCH, RUN_DIR.
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$VERDAL_BENCH" --data "$RUN_DIR" --validate --report "$work/clean" >"$work/clean.txt" 2>&1
status=$?
cat "$work/clean.txt"
[ "$status" = 0 ] || fail "the clean build failed validation (status $status)"
[ "$(grep -c '^validate_[a-z0-9-]*: pass, ' "$work/clean.txt")" = 12 ] || fail "not 12 frames passed"
[ "$(grep -o '<img ' "$work/clean/index.html" | wc -l)" = 36 ] || fail "the page lacks reference, result or difference"

# The reflection looked up upside down: what a driver flipping a render target shows.
mkdir "$work/flipped"
cp -rs "$RUN_DIR/Scene" "$RUN_DIR/Textures" "$RUN_DIR/Validation" "$work/flipped/"
cp -r "$RUN_DIR/Shader" "$work/flipped/"
sed -i 's/texture2D(cube, clamp(screen + shift/texture2D(cube, clamp(vec2(screen.x, 1.0 - screen.y) + shift/' \
  "$work/flipped/Shader/Water.fsh"
grep -q '1.0 - screen.y' "$work/flipped/Shader/Water.fsh" || fail "the water's program changed: plant the flip anew"
"$VERDAL_BENCH" --data "$work/flipped" --validate >"$work/flipped.txt" 2>&1
status=$?
[ "$status" = 1 ] || { cat "$work/flipped.txt" >&2; fail "the flipped mirror gave status $status"; }
grep -q '^validate: fail' "$work/flipped.txt" || fail "no failing verdict for the flipped mirror"

# name, what to do to a copy of the references, what the message must say
cases=(
  "missing|rm -r REFS|is not a folder"
  "truncated|head -c 300 REFS/view-lake-left.png >REFS/x && mv REFS/x REFS/view-lake-left.png|view-lake-left.png: not a PNG"
  "resized|convert REFS/tour-1-frame-2.png -resize 50% REFS/tour-1-frame-2.png|tour-1-frame-2.png: 120x90, but the frames are 240x180"
)
for row in "${cases[@]}"; do
  IFS='|' read -r name spoil message <<<"$row"
  refs="$work/refs-$name"
  cp -r "$RUN_DIR/Validation" "$refs"
  eval "${spoil//REFS/$refs}"
  "$VERDAL_BENCH" --data "$RUN_DIR" --validate "$refs" >"$work/$name.out" 2>"$work/$name.err"
  status=$?
  [ "$status" = 2 ] || fail "$name references: status $status"
  [ "$(wc -l <"$work/$name.err")" = 1 ] && grep -qF "$message" "$work/$name.err" \
    || { cat "$work/$name.err" >&2; fail "$name references: not the one message '$message'"; }
done
echo "ok"
