# What the window shows: a rendered scene (many colours, not a cleared
# screen) with the overlay on top in orange (1.0, 0.5, 0.1): the frame counter
# at 5% from the left and top, the key hint, and in demo mode the tour's caption.
source "$(dirname "$0")/lib/driver.bash"
start_x
start_demo
answer_question Escape
wait_window "$MAIN_TITLE"; id=$WID
point_at "$id"
# Before the first frame the window is blank; start-up takes a few seconds.
wait_overlay "$id" "$FPS_AREA" shown
wait_frames "$id" 2
snapshot "$id" "$WORK/frame.xwd"
convert "xwd:$WORK/frame.xwd" "$WORK/frame.png" || fail "no picture"

colours=$(identify -format %k "$WORK/frame.png")
[ "$colours" -gt 2000 ] || fail "only $colours colours: not a rendered scene"
fps=$(overlay_pixels "$WORK/frame.png" "$FPS_AREA")
[ "$fps" -gt 20 ] || fail "no frame counter in the top left ($fps pixels)"
caption=$(overlay_pixels "$WORK/frame.png" "$CAPTION_AREA")
[ "$caption" -gt 20 ] || fail "no tour caption in demo mode ($caption pixels)"
# The overlay is text, not a wash of colour over the picture.
total=$(overlay_pixels "$WORK/frame.png" 1024x768+0+0)
[ "$total" -lt 5000 ] || fail "$total pixels of the overlay colour"

hold_until "$id" Escape exited 60
wait_exit; status=$STATUS
[ "$status" = 0 ] || fail "exit status $status"
echo "ok"
