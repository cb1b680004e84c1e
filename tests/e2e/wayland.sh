# Under a Wayland compositor with a seat (weston on its X11 backend, whose
# window in the test's own X server carries its output and input): the demo
# runs natively. SIGTERM while the question (zenity) is up ends the question
# too; without zenity the question fails with one line and the demo runs
# windowed, draws frames and ends on Escape.
source "$(dirname "$0")/lib/driver.bash"
start_x
XDG_RUNTIME_DIR=$(mktemp -d) && export XDG_RUNTIME_DIR
weston --backend=x11-backend.so --use-pixman --socket=verdal --width=1100 --height=850 --idle-time=0 \
  >"$XDG_RUNTIME_DIR/weston.log" 2>&1 &
weston_pid=$!
trap 'kill "$weston_pid" 2>/dev/null; cleanup; rm -rf "$XDG_RUNTIME_DIR"' EXIT
weston_up() { kill -0 "$weston_pid" || fail "weston ended: $(cat "$XDG_RUNTIME_DIR/weston.log")"; WID=$(window_id "Weston Compositor - screen0"); [ -n "$WID" ]; }
poll 60 "no weston window" weston_up; weston=$WID
gone() { local state; state=$(ps -o stat= -p "$1"); [ -z "$state" ] || [ "${state:0:1}" = Z ]; }

PROGRAM=(env -u DISPLAY WAYLAND_DISPLAY=verdal "$VERDAL")
start_demo
wait_for '[ -n "$(pgrep -P "$demo_pid" -x zenity)" ]' 60
question=$(pgrep -P "$demo_pid" -x zenity)
kill -TERM "$demo_pid"
wait_exit 30
poll 30 "the question still up after SIGTERM" gone "$question"

PROGRAM=(env -u DISPLAY WAYLAND_DISPLAY=verdal PATH=/nonexistent "$VERDAL")
start_demo
wait_for 'logged "Initializing..."' 60
[ "$(grep -c "could not be shown.*starting windowed" demo.err)" = 1 ] || fail "no line saying the question failed"
# Weston's own screen changes too (its fade-in, the panel's clock), so frames
# count only once the demo's overlay is on it. A key already held when the
# demo's window gets the focus is not a press to it: the press comes after.
demo_drawn() {
  alive "waiting for its window under weston"
  snapshot "$weston" "$WORK/weston.xwd"
  [ "$(overlay_pixels "xwd:$WORK/weston.xwd" 1100x850+0+0)" -gt 20 ]
}
poll 60 "no frame of the demo on weston's screen" demo_drawn
wait_frames "$weston" 3 60
# Keys reach weston through its window under the pointer, and go on to the
# demo's, which weston has focused.
quit_with_escape "$weston"
logged "DeInitializing..." || fail "no teardown"
echo ok
