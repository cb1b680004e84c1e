# Answered Yes at the screen's own size: fullscreen, the window covering the
# screen without a mode-switch message. SIGTERM (or Ctrl+C) closes it as its
# close box would: the cycle is torn down and the program exits with status 0.
source "$(dirname "$0")/lib/driver.bash"
start_x 1024x768x24
start_demo
answer_question Return
wait_window "$MAIN_TITLE"; id=$WID
expect_geometry "$id" "0 0 1024 768"
[ -z "$(window_id "Error")" ] || fail "unexpected error box"
wait_frames "$id" 2 60
kill -TERM "$demo_pid"
expect_exit 0 30
[ "$(count_lines "DeInitializing..." Log.txt)" = 1 ] || fail "no teardown after SIGTERM"
echo ok
