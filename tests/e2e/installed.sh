# The installed commands as `cmake --install` lays them out under any prefix:
# verdal-bench, started through the launcher with no --data, runs on the
# installed data from the user's own directory, which links to that data and
# receives Log.txt; XDG_DATA_HOME, when set, holds that directory instead.
source "$(dirname "$0")/lib/driver.bash"
fresh_work
cmake --install "$(dirname "$VERDAL")" --prefix "$WORK/usr" >/dev/null || fail "cmake --install"
for case in "HOME=$WORK/home|$WORK/home/.local/share/verdal" \
            "HOME=$WORK/home XDG_DATA_HOME=$WORK/xdg|$WORK/xdg/verdal"; do
  # shellcheck disable=SC2086 # the case's variables are words
  env -i PATH=/usr/bin:/bin ${case%|*} LIBGL_ALWAYS_SOFTWARE=1 ASAN_OPTIONS=detect_leaks=0 \
    "$WORK/usr/bin/verdal-bench" --frames 2 --size 64x48 >bench.out 2>&1 || fail "verdal-bench: $(cat bench.out)"
  dir=${case#*|}
  [ "$(head -n1 "$dir/Log.txt" 2>/dev/null)" = "Initializing..." ] || fail "no Log.txt in $dir"
  [ "$(readlink -f "$dir/Textures")" = "$WORK/usr/share/verdal/Textures" ] || fail "$dir/Textures is not the installed data"
done
echo ok
