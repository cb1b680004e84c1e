# No to the question gives a 1024x768 window at the top left; frames are drawn
# (the window shows a picture);
# Escape ends the program with status 0 after one start-up and one teardown.
source "$(dirname "$0")/lib/driver.bash"
start_x
start_demo
answer_question Escape
wait_window "$MAIN_TITLE"; id=$WID
read -r x y w h < <(geometry "$id")
[ "$x $y $w $h" = "0 0 1024 768" ] || fail "window at $x,$y size ${w}x$h, expected 0,0 1024x768"
wait_for '[ "$(colours "$id")" -gt 1000 ]'
hold_until "$id" Escape exited
wait_exit; status=$STATUS
[ "$status" = 0 ] || fail "exit status $status after Escape"
[ "$(count_lines "Initializing..." Log.txt)" = 1 ] || fail "start-up not logged exactly once"
[ "$(count_lines "DeInitializing..." Log.txt)" = 1 ] || fail "teardown not logged exactly once"
echo "ok"
