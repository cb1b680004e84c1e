# verdal.exe answered No: a window, start-up logged with CR LF line ends,
# frames with the overlay, the start pose recorded with 3 and Q, F1 repeating
# start-up in fullscreen, Escape ending with status 0.
source "$(dirname "$0")/lib/wine_driver.bash"
START_POSE=$'0 0.19 0.68\r\n9.82424e-06 0.186661 0.982424\r\n'

start_demo
answer_box "Start fullscreen?" n
wait_window "$MAIN_TITLE"; id=$WID
wait_for '[ "$(cat Log.txt 2>/dev/null)" = "$(startup_log)" ]' 60

# Frames: a picture of many colours with the overlay's orange in its corner.
wait_overlay "$id" "$OVERLAY_TOP_LEFT" shown 60
[ "$(colours "$id")" -gt 1000 ] || fail "the window shows only $(colours "$id") colours"

# Free fly with recording; the pointer rests where the camera centres it, so
# the camera does not turn and the record is the start pose.
xdotool windowfocus "$id" 2>/dev/null
xdotool mousemove 512 384
xdotool keydown 3
wait_frames "$id" 3
xdotool keyup 3
xdotool keydown q
wait_for '[ -f usrpath.wps ]' 30
wait_frames "$id" 2
xdotool keyup q
[ "$(cat usrpath.wps; echo .)" = "$START_POSE." ] || fail "usrpath.wps: $(od -c usrpath.wps | head)"

# F1: the window goes and a fullscreen one (the screen's own size) comes,
# after a complete second start-up.
hold_until "$id" F1 '[ "$(grep -c "DeInitializing" Log.txt)" = 1 ]' 60
wait_for '[ "$(cat Log.txt)" = "$(startup_log; printf "DeInitializing...\r\n\r\n"; startup_log)" ]' 60
wait_window "$MAIN_TITLE"; id=$WID
read -r x y w h < <(geometry "$id")
[ "$x $y $w $h" = "0 0 1024 768" ] || fail "fullscreen window at $x,$y ${w}x$h"

hold_until "$id" Escape exited 60
wait_exit
[ "$STATUS" = 0 ] || fail "exit status $STATUS"
echo ok
