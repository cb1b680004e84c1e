# F1 ends the window cycle and runs start-up again in full: on this virtual
# screen (1280x1024, no 1024x768 mode) the fullscreen switch fails with an
# "Error" box and the new cycle runs windowed, back in demo mode. The log
# holds the same start-up lines twice with the teardown in between.
source "$(dirname "$0")/lib/driver.bash"
start_x 1280x1024x24
start_demo
answer_question Escape
wait_window "$MAIN_TITLE"; id=$WID
point_at "$id"
wait_overlay "$id" "$CAPTION_AREA" shown
# Leave demo mode, so the next cycle's start-up is seen to bring it back.
xdotool keydown 3
wait_overlay "$id" "$CAPTION_AREA" gone
xdotool keyup 3

xdotool keydown F1
wait_window "Error"
xdotool keyup F1
answer_box "Error" Return
wait_window "$MAIN_TITLE"; id=$WID
read -r x y w h < <(geometry "$id")
[ "$x $y $w $h" = "0 0 1024 768" ] || fail "second window at $x,$y size ${w}x$h"
point_at "$id"
wait_overlay "$id" "$CAPTION_AREA" shown
[ "$(count_lines "Error: Mode Switch Failed." demo.err)" = 1 ] || fail "mode switch failure not reported once"
[ "$(count_lines "Running In Windowed Mode." demo.err)" = 1 ] || fail "mode switch message incomplete"

hold_until "$id" Escape exited 60
wait_exit; status=$STATUS
[ "$status" = 0 ] || fail "exit status $status"

[ "$(count_lines "Initializing..." Log.txt)" = 2 ] || fail "start-up not run twice"
[ "$(count_lines "DeInitializing..." Log.txt)" = 2 ] || fail "teardown not run twice"
# Each cycle's lines from its start-up to its teardown, blank lines left out.
cycle() {
  awk -v want="$1" 'NF == 0 {next} /^Initializing\.\.\.$/ {n++} n == want {print} /^DeInitializing\.\.\.$/ && n == want {exit}' Log.txt
}
first=$(cycle 1); second=$(cycle 2)
[ "$(printf '%s\n' "$first" | tail -n1)" = "DeInitializing..." ] || fail "first cycle not torn down before the second"
[ "$first" = "$second" ] || fail "the second start-up differs: $(diff <(echo "$first") <(echo "$second"))"
for line in "Creating Render Targets..." "Loading Shaders..." "Loading Scene..." \
            "Creating Sky Box Textures..." "Reading Camera Waypoints..."; do
  [ "$(count_lines "$line" Log.txt)" = 2 ] || fail "'$line' not logged in both start-ups"
done
echo "ok"
