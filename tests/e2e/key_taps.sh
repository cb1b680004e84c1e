# Keys tapped faster than a frame still act, once: on a software renderer a
# frame takes longer than a quick tap, and a press and release between two
# frames must not be lost. 3 then Q record one waypoint per tap; a tap of
# Escape ends the program.
source "$(dirname "$0")/lib/driver.bash"
START_POSE=$'0 0.19 0.68\n9.82424e-06 0.186661 0.982424'
start_x
start_demo
answer_question Escape
wait_window "$MAIN_TITLE"; id=$WID
point_at "$id"
wait_overlay "$id" "$CAPTION_AREA" shown

xdotool key 3
wait_overlay "$id" "$CAPTION_AREA" gone 20
xdotool key q
wait_for '[ -f usrpath.wps ] && [ "$(wc -l <usrpath.wps)" -ge 2 ]' 20
wait_frames "$id" 3
xdotool key q
wait_for '[ "$(wc -l <usrpath.wps)" -ge 4 ]' 20
wait_frames "$id" 3
[ "$(cat usrpath.wps)" = "$START_POSE"$'\n'"$START_POSE" ] || fail "records after two taps: $(cat usrpath.wps)"

xdotool key Escape
wait_exit 30
[ "$STATUS" = 0 ] || fail "exit status $STATUS after a tap of Escape"
echo "ok"
