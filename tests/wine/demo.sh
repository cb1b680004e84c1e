# verdal.exe as a user runs it. Answered No: a window, start-up logged with
# CR LF line ends, frames with the overlay, the start pose recorded with 3 and
# Q, the camera flying while W is held and standing once it is let go, F1
# repeating start-up fullscreen at the screen's own size, Escape ending with
# status 0. Answered Yes at another size: the switch fails, the box says so,
# the demo runs in a window of that size, and Alt+F4 ends it with status 0.
# On a desktop that has that size (Wine's virtual desktop): the switch
# succeeds, and the desktop is back in its own mode once the demo has ended.
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
# Records 2 and 3: after W was held for some frames and let go, and again a
# few frames later. The camera moved while W was down, and no more after.
record() { xdotool keydown q; wait_for "[ \"\$(wc -l <usrpath.wps)\" = $1 ]" 30; wait_frames "$id" 2; xdotool keyup q; }
xdotool keydown w; wait_frames "$id" 3; xdotool keyup w; wait_frames "$id" 2
record 4; wait_frames "$id" 3; record 6
[ "$(sed -n 3,4p usrpath.wps)" != "$(sed -n 1,2p usrpath.wps)" ] || fail "holding W did not move the camera"
[ "$(sed -n 5,6p usrpath.wps)" = "$(sed -n 3,4p usrpath.wps)" ] || fail "the camera went on after W was let go: $(cat usrpath.wps)"

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

# display-mode.exe reads the desktop's mode before the demo starts and after it ends.
PROGRAM=(wine explorer /desktop=verdal-modes,1024x768 "$DISPLAY_MODE_EXE" "$VERDAL_EXE")
start_demo -800x600
answer_box "Start fullscreen?" Return
wait_for '[ "$(grep -c "Reading Camera Waypoints" Log.txt 2>/dev/null)" = 1 ]' 60
wait_window "$MAIN_TITLE"; id=$WID
expect_geometry "$(window_id "verdal-modes - Wine desktop")" "0 0 800 600"
wait_frames "$id" 2 60
quit_with_escape "$id"
[ "$(tr -d '\r' <demo.out)" = $'before 1024x768\nafter 1024x768' ] || fail "display modes: $(tr -d '\r' <demo.out | tr '\n' ' ')"
echo ok
