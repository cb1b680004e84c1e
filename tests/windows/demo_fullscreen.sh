# verdal.exe answered Yes: at the screen's own size the display switch succeeds
# and the window covers the screen; at another size the switch fails, the box
# says so and the demo runs in a window. Closing the window (Alt+F4) and
# Escape both end with status 0.
source "$(dirname "$0")/lib/wine_driver.bash"

start_demo
answer_box "Start fullscreen?" Return
wait_window "$MAIN_TITLE"; id=$WID
[ -z "$(window_id Error)" ] || fail "an error box at the screen's own size"
read -r x y w h < <(geometry "$id")
[ "$x $y $w $h" = "0 0 1024 768" ] || fail "fullscreen window at $x,$y ${w}x$h"
wait_overlay "$id" "$OVERLAY_TOP_LEFT" shown 60
hold_until "$id" Escape exited 60
wait_exit
[ "$STATUS" = 0 ] || fail "exit status $STATUS after Escape"

rm -f Log.txt
start_demo -800x600
answer_box "Start fullscreen?" Return
answer_box "Error" Return
wait_window "$MAIN_TITLE"; id=$WID
read -r x y w h < <(geometry "$id")
# The outer window is the requested size when the switch has failed.
[ "$w $h" = "800 600" ] || fail "window after the failed switch is ${w}x$h"
wait_for '[ "$(grep -c "Reading Camera Waypoints" Log.txt 2>/dev/null)" = 1 ]' 60
wait_frames "$id" 2 60
point_at "$id"
xdotool key alt+F4
wait_exit 60
[ "$STATUS" = 0 ] || fail "exit status $STATUS after closing the window"
echo ok
