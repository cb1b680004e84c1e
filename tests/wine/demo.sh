# verdal.exe as a user runs it. Answered No: a window, start-up logged with
# CR LF line ends, frames with the overlay, the start pose recorded with 3 and
# Q, F1 repeating start-up fullscreen at the screen's own size, Escape ending
# with status 0. Answered Yes at another size: the switch fails, the box says
# so, the demo runs in a window of that size, and Alt+F4 ends it with status 0.
source "$(dirname "$0")/lib/wine_driver.bash"
start_demo
answer_box "Start fullscreen?" n
wait_window "$MAIN_TITLE"; id=$WID
wait_for '[ "$(cat Log.txt 2>/dev/null)" = "$(startup_log)" ]' 60
wait_overlay "$id" "$OVERLAY_TOP_LEFT" shown 60
[ "$(colours "$id")" -gt 1000 ] || fail "the window shows only $(colours "$id") colours"
# The pointer rests where the camera centres it: the record is the start pose.
xdotool windowfocus "$id" 2>/dev/null; xdotool mousemove 512 384
xdotool keydown 3; wait_frames "$id" 3; xdotool keyup 3
xdotool keydown q; wait_for '[ -f usrpath.wps ]' 30; wait_frames "$id" 2; xdotool keyup q
[ "$(cat usrpath.wps; echo .)" = "${START_POSE//$'\n'/$'\r\n'}"$'\r\n.' ] || fail "usrpath.wps: $(od -c usrpath.wps | head)"

hold_until "$id" F1 '[ "$(grep -c "DeInitializing" Log.txt)" = 1 ]' 60
wait_for '[ "$(cat Log.txt)" = "$(startup_log; printf "DeInitializing...\r\n\r\n"; startup_log)" ]' 60
wait_window "$MAIN_TITLE"; id=$WID
expect_geometry "$id" "0 0 1024 768"
quit_with_escape "$id"

start_demo -800x600
answer_box "Start fullscreen?" Return
answer_box "Error" Return
wait_for '[ "$(grep -c "Reading Camera Waypoints" Log.txt 2>/dev/null)" = 1 ]' 60
wait_window "$MAIN_TITLE"; id=$WID
read -r x y w h < <(geometry "$id")
[ "$w $h" = "800 600" ] || fail "window after the failed switch is ${w}x$h"
wait_frames "$id" 2 60
point_at "$id"
xdotool key alt+F4
expect_exit 0 60
echo ok
