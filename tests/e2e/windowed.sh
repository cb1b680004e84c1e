# Answered No: a 1024x768 window at the top left showing a rendered scene
# (many colours) with the overlay in orange: the frame counter, and in demo
# mode the tour's caption. Keys tapped faster than a frame still act, once (a
# software frame outlasts a quick tap): 3 leaves the tour for free fly with
# recording, Q appends the camera pose to usrpath.wps (how often it records,
# held and across modes, is the unit test's table); a tap of Escape ends with
# 0. The pointer stays on the window's middle, where the camera centres it, so
# the camera does not turn and the record is the start pose.
source "$(dirname "$0")/lib/driver.bash"
records() { if [ -f usrpath.wps ]; then wc -l <usrpath.wps; else echo 0; fi; }
start_x
start_demo
answer_question Escape
wait_window "$MAIN_TITLE"; id=$WID
expect_geometry "$id" "0 0 1024 768"
point_at "$id"
[ "$(xdotool getmouselocation | cut -d' ' -f1,2)" = "x:512 y:384" ] || fail "pointer at $(xdotool getmouselocation)"
wait_overlay "$id" "$FPS_AREA" shown
wait_frames "$id" 2
snapshot "$id" frame.xwd
[ "$(identify -format %k xwd:frame.xwd)" -gt 2000 ] || fail "few colours: not a rendered scene"
[ "$(overlay_pixels xwd:frame.xwd "$FPS_AREA")" -gt 20 ] || fail "no frame counter in the top left"
[ "$(overlay_pixels xwd:frame.xwd "$CAPTION_AREA")" -gt 20 ] || fail "no tour caption in demo mode"
[ "$(overlay_pixels xwd:frame.xwd 1024x768+0+0)" -lt 5000 ] || fail "the overlay is a wash of colour, not text"

xdotool key 3
wait_overlay "$id" "$CAPTION_AREA" gone 20
[ ! -e usrpath.wps ] || fail "usrpath.wps written before Q was pressed"
xdotool key q
wait_for '[ "$(records)" -ge 2 ]' 20
wait_frames "$id" 3
[ "$(cat usrpath.wps)" = "$START_POSE" ] || fail "the record is not the start pose once: $(cat usrpath.wps)"

xdotool key Escape
expect_exit 0 30
[ "$(count_lines "Initializing..." Log.txt) $(count_lines "DeInitializing..." Log.txt)" = "1 1" ] \
  || fail "start-up and teardown not logged once each"
echo ok
