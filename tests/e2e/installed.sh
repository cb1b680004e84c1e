# The installed commands as `cmake --install` lays them out under any prefix:
# verdal-bench, started through the launcher with no --data, runs on the
# installed data from the user's own directory, which links to that data and
# receives Log.txt; XDG_DATA_HOME, when set, holds that directory instead.
# Comparing runs goes through the launcher untouched.
source "$(dirname "$0")/lib/driver.bash"
fresh_work
cmake --install "$(dirname "$VERDAL")" --prefix "$WORK/usr" >/dev/null || fail "cmake --install"
for case in "HOME=$WORK/home|$WORK/home/.local/share/verdal" \
            "HOME=$WORK/home XDG_DATA_HOME=$WORK/xdg|$WORK/xdg/verdal"; do
  # shellcheck disable=SC2086 # the case's variables are words
  env -i PATH=/usr/bin:/bin ${case%|*} LIBGL_ALWAYS_SOFTWARE=1 ASAN_OPTIONS=detect_leaks=0 \
    "$WORK/usr/bin/verdal-bench" --frames 2 --size 64x48 --results run.json --frame-log run.csv >bench.out 2>&1 \
    || fail "verdal-bench: $(cat bench.out)"
  dir=${case#*|}
  [ "$(head -n1 "$dir/Log.txt" 2>/dev/null)" = "Initializing..." ] || fail "no Log.txt in $dir"
  for data in Textures Validation; do
    [ "$(readlink -f "$dir/$data")" = "$WORK/usr/share/verdal/$data" ] || fail "$dir/$data is not the installed data"
  done
done
env -i PATH=/usr/bin:/bin HOME="$WORK/home" ASAN_OPTIONS=detect_leaks=0 \
  "$WORK/usr/bin/verdal-bench" compare run.json run.json >compare.out 2>&1 || fail "compare: $(cat compare.out)"
echo ok
