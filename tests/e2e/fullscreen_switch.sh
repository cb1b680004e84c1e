# F1 ends the window cycle and runs start-up again in full, in the other mode.
# This screen (1280x1024) has no 1024x768 mode: the switch to fullscreen fails
# with an "Error" box and that cycle runs windowed, back in demo mode; a second
# F1 goes back to windowed without a box. Each start-up comes after the
# previous teardown. Closing the window as a window manager does
# ends the program with status 0.
source "$(dirname "$0")/lib/driver.bash"
start_x 1280x1024x24
start_demo
answer_question Escape
wait_window "$MAIN_TITLE"; id=$WID
point_at "$id"
wait_overlay "$id" "$CAPTION_AREA" shown
# Leave demo mode, so the next cycle's start-up is seen to bring it back.
xdotool keydown 3; wait_overlay "$id" "$CAPTION_AREA" gone; xdotool keyup 3

# The window of the failed switch goes when the box is answered; the cycle's
# own window is there once its start-up is.
startups() { [ "$(count_lines "Reading Camera Waypoints..." Log.txt)" = "$1" ]; }
hold_until "$id" F1 '[ -n "$(window_id Error)" ]'
answer_box "Error" Return
wait_for "startups 2"
wait_window "$MAIN_TITLE"; id=$WID
expect_geometry "$id" "0 0 1024 768"
point_at "$id"
wait_overlay "$id" "$CAPTION_AREA" shown
[ "$(count_lines "Error: Mode Switch Failed." demo.err) $(count_lines "Running In Windowed Mode." demo.err)" = "1 1" ] \
  || fail "mode switch failure not reported once"

hold_until "$id" F1 '[ "$(count_lines "DeInitializing..." Log.txt)" = 2 ]'
wait_for "startups 3"
wait_window "$MAIN_TITLE"; id=$WID
wait_frames "$id" 2
[ -z "$(window_id "Error")" ] || fail "the windowed cycle reported a mode switch"
"$X11_CLOSE_WINDOW" "$id"
expect_exit 0

# (That every start-up logs the same lines is the GL demo-cycle test's.)
[ "$(count_lines "DeInitializing..." Log.txt)" = 3 ] || fail "teardowns not logged"
awk 'NF' Log.txt | awk '/^Initializing/ {if (open) exit 1; open=1} /^DeInitializing/ {open=0}' \
  || fail "a start-up began before the previous cycle's teardown"
echo ok
