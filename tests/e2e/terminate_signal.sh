# SIGTERM (or Ctrl+C) closes the window as its close box would: the cycle is
# torn down and the program exits with status 0.
source "$(dirname "$0")/lib/driver.bash"
start_x
start_demo
answer_question Escape
wait_window "$MAIN_TITLE"; id=$WID
wait_for '[ "$(count_lines "Reading Camera Waypoints..." Log.txt)" = 1 ]'
sleep 1
kill -TERM "$demo_pid"
wait_exit 30; status=$STATUS
[ "$status" = 0 ] || fail "exit status $status after SIGTERM"
[ "$(count_lines "DeInitializing..." Log.txt)" = 1 ] || fail "no teardown after SIGTERM"
echo "ok"
