# Yes to the question at the screen's own size runs fullscreen: the window
# covers the screen without a mode-switch message.
source "$(dirname "$0")/lib/driver.bash"
start_x 1024x768x24
start_demo
answer_question Return
wait_window "$MAIN_TITLE"; id=$WID
read -r x y w h < <(geometry "$id")
[ "$x $y $w $h" = "0 0 1024 768" ] || fail "fullscreen window at $x,$y size ${w}x$h"
[ -z "$(window_id "Error")" ] || fail "unexpected error box"
sleep 1
hold_until "$id" Escape exited
wait_exit; status=$STATUS
[ "$status" = 0 ] || fail "exit status $status"
echo "ok"
