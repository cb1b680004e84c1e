# Closing the window the way a window manager does ends the program with status 0.
source "$(dirname "$0")/lib/driver.bash"
start_x
start_demo -800x600
answer_question Escape
wait_window "$MAIN_TITLE"; id=$WID
read -r x y w h < <(geometry "$id")
[ "$w x $h" = "800 x 600" ] || fail "the -800x600 switch gave ${w}x$h"
sleep 0.5
"$X11_CLOSE_WINDOW" "$id"
wait_exit; status=$STATUS
[ "$status" = 0 ] || fail "exit status $status after closing the window"
[ "$(count_lines "DeInitializing..." Log.txt)" = 1 ] || fail "teardown not logged"
echo "ok"
