# F1 ends the window cycle and starts the next in the other mode with a new
# start-up. The virtual screen has no 1024x768 mode, so the fullscreen cycle
# reports the failed switch and runs windowed; a second F1 goes back.
source "$(dirname "$0")/lib/driver.bash"
start_x 1280x1024x24
start_demo
answer_question Escape
wait_window "$MAIN_TITLE"; id=$WID
hold_until "$id" F1 '[ "$(count_lines "DeInitializing..." Log.txt)" = 1 ]'
wait_window "Error"; box=$WID
press "$box" Return
wait_gone "Error"
wait_window "$MAIN_TITLE"; id=$WID
wait_for '[ "$(count_lines "Initializing..." Log.txt)" = 2 ]'
wait_for '[ "$(count_lines "Reading Camera Waypoints..." Log.txt)" = 2 ]' 
hold_until "$id" F1 '[ "$(count_lines "DeInitializing..." Log.txt)" = 2 ]'
wait_window "$MAIN_TITLE"; id=$WID
wait_for '[ "$(count_lines "Reading Camera Waypoints..." Log.txt)" = 3 ]'
[ -z "$(window_id "Error")" ] || fail "the windowed cycle reported a mode switch"
hold_until "$id" Escape exited
wait_exit; status=$STATUS
[ "$status" = 0 ] || fail "exit status $status"
[ "$(count_lines "DeInitializing..." Log.txt)" = 3 ] || fail "teardowns not logged"
# Teardown of each cycle comes before the next start-up.
awk 'NF' Log.txt | awk '/^Initializing/ {if (open) exit 1; open=1} /^DeInitializing/ {open=0}' \
  || fail "a start-up began before the previous cycle's teardown"
echo "ok"
