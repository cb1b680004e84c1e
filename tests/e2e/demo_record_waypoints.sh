# Recording waypoints: 3 switches to free fly with recording (the tour caption
# goes), each press of Q appends the camera's pose to usrpath.wps once however
# long it is held, and Q in plain free fly (2) records nothing.
#
# The pointer stays exactly on the point the camera centres it on (512,384,
# the middle of the window at the top left), so the camera does not turn and
# the first record is the start pose.
source "$(dirname "$0")/lib/driver.bash"
START_POSE=$'0 0.19 0.68\n9.82424e-06 0.186661 0.982424'
NUMBER='-?[0-9]+(\.[0-9]+)?(e[-+][0-9]{2,3})?'
RECORD_LINE="^$NUMBER $NUMBER $NUMBER\$"

# wait_records COUNT [SECONDS]: until usrpath.wps holds COUNT records.
wait_records() {
  local want=$(($1 * 2)) limit=${2:-30} start=$SECONDS
  until [ "$(lines)" -ge "$want" ]; do
    [ $((SECONDS - start)) -lt "$limit" ] || fail "usrpath.wps has $(lines) lines, waited for $want"
    kill -0 "$demo_pid" 2>/dev/null || fail "the program ended while recording"
    sleep 0.1
  done
}
lines() {
  if [ -f usrpath.wps ]; then wc -l <usrpath.wps; else echo 0; fi
}

start_x
start_demo
answer_question Escape
wait_window "$MAIN_TITLE"; id=$WID
point_at "$id"
[ "$(xdotool getmouselocation | cut -d' ' -f1,2)" = "x:512 y:384" ] \
  || fail "pointer not at the camera's centre: $(xdotool getmouselocation)"
wait_overlay "$id" "$CAPTION_AREA" shown

# 3 is read in every frame while held; the caption goes once a frame has seen it.
xdotool keydown 3
wait_overlay "$id" "$CAPTION_AREA" gone
xdotool keyup 3
[ ! -e usrpath.wps ] || fail "usrpath.wps written before Q was pressed"

# Q held over several frames: one record, the start pose.
xdotool keydown q
wait_records 1
wait_frames "$id" 3
xdotool keyup q
[ "$(cat usrpath.wps)" = "$START_POSE" ] || fail "first record is not the start pose: $(cat usrpath.wps)"

# Released for a few frames, then pressed again: a second record.
wait_frames "$id" 3
xdotool keydown q
wait_records 2
wait_frames "$id" 3
xdotool keyup q
[ "$(lines)" = 4 ] || fail "a held Q recorded more than once: $(lines) lines"

# Plain free fly: Q records nothing.
xdotool keydown 2
wait_frames "$id" 3
xdotool keyup 2
xdotool keydown q
wait_frames "$id" 3
xdotool keyup q
wait_frames "$id" 2
[ "$(lines)" = 4 ] || fail "Q recorded in mode 2 (free fly): $(lines) lines"

hold_until "$id" Escape exited 60
wait_exit; status=$STATUS
[ "$status" = 0 ] || fail "exit status $status"
# Every line is three numbers in printf's %g form; the camera never moved.
bad=$(grep -cvE "$RECORD_LINE" usrpath.wps)
[ "$bad" = 0 ] || fail "usrpath.wps has $bad malformed lines: $(cat usrpath.wps)"
[ "$(cat usrpath.wps)" = "$START_POSE"$'\n'"$START_POSE" ] || fail "records: $(cat usrpath.wps)"
echo "ok"
