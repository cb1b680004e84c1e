# Drives the real program as a user would: its own virtual X server (no window
# manager, so keyboard focus follows the pointer), synthetic keys and mouse
# through xdotool, and what the program leaves behind (exit status, Log.txt,
# usrpath.wps, window dumps).
# Environment: VERDAL (the program), X11_CLOSE_WINDOW (sends a window manager's
# close request), RUN_DIR (the data directory).
set -u
MAIN_TITLE="The Verdal OpenGL Demo - [verdal.example.org]"
START_POSE=$'0 0.19 0.68\n9.82424e-06 0.186661 0.982424'
demo_pid="" xvfb_pid="" WORK="" WID="" STATUS=""

fail() {
  echo "FAIL: $*" >&2
  [ -n "${DISPLAY:-}" ] && xwininfo -root -children 2>&1 | grep -v '^ *$' >&2
  local f
  for f in Log.txt demo.err; do [ -f "$WORK/$f" ] && { echo "--- $f ---"; cat "$WORK/$f"; } >&2; done
  exit 1
}

cleanup() {
  if [ -n "$demo_pid" ]; then
    # A program that ignores the signal would keep the test waiting: a few seconds, then KILL.
    kill "$demo_pid" 2>/dev/null
    for _ in $(seq 1 30); do kill -0 "$demo_pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$demo_pid" 2>/dev/null
  fi
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  [ -n "$WORK" ] && [ -z "${KEEP_WORK:-}" ] && rm -rf "$WORK"
}
trap cleanup EXIT

# start_x [WxHxDEPTH]: a fresh virtual screen. -noreset: otherwise the server
# resets whenever its last client leaves and hangs up on one connecting then.
start_x() {
  local fdfile; fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${1:-1280x1024x24}" -nolisten tcp -noreset 3>"$fdfile" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 1 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
  [ -s "$fdfile" ] || fail "the X server did not start"
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
}

# fresh_work: a fresh working directory whose data files are links into RUN_DIR,
# so a case may replace any one of them.
fresh_work() {
  [ -n "$WORK" ] && rm -rf "$WORK"
  WORK=$(mktemp -d "${TMPDIR:-/tmp}/verdal-e2e-XXXXXX")
  chmod 755 "$WORK"
  local dir
  for dir in Scene Shader Textures; do cp -rs "$RUN_DIR/$dir" "$WORK/$dir" || fail "cannot link $RUN_DIR/$dir"; done
  cd "$WORK" || fail "no working directory"
}
# launch [ENV=VALUE...] [ARGS...]: the program (PROGRAM) in the working directory.
PROGRAM=("${VERDAL:-}")
launch() {
  local -a environment=()
  while [[ "${1:-}" == *=* ]]; do environment+=("$1"); shift; done
  env "${environment[@]}" "${PROGRAM[@]}" "$@" </dev/null >"$WORK/demo.out" 2>"$WORK/demo.err" &
  demo_pid=$!
}
start_demo() { fresh_work; launch "$@"; }

# poll SECONDS WHAT COMMAND...: runs the command until it succeeds; at the
# limit fails with WHAT, or returns 1 when WHAT is empty.
poll() {
  local limit=$1 what=$2 start=$SECONDS; shift 2
  until "$@"; do
    if [ $((SECONDS - start)) -ge "$limit" ]; then [ -n "$what" ] && fail "$what after ${limit}s"; return 1; fi
    sleep 0.1
  done
}
wait_for() { poll "${2:-120}" "'$1' still false" eval "$1"; }
exited() { ! kill -0 "$demo_pid" 2>/dev/null; }
alive() { ! exited || fail "the program ended while $1"; }
window_id() { xwininfo -name "$1" 2>/dev/null | awk '/Window id:/ {print $4; exit}'; }
found_window() { alive "waiting for '$1'"; WID=$(window_id "$1"); [ -n "$WID" ]; }
# wait_window TITLE [SECONDS]: the window's id goes to WID.
wait_window() { poll "${2:-60}" "no window '$1'" found_window "$1"; }
# geometry ID: "X Y WIDTH HEIGHT" of a window.
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4}
                           /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}
expect_geometry() { local g; g=$(geometry "$1"); [ "$g" = "$2" ] || fail "window at $g, expected $2"; }
# count_lines TEXT FILE: how many lines of FILE are exactly TEXT.
count_lines() { grep -cxF -- "$1" "$2" 2>/dev/null || true; }
logged() { grep -qxF -- "$1" Log.txt 2>/dev/null; }

# point_at ID: the pointer into the window's middle, and the keyboard to it (once
# a focused window is destroyed the focus goes nowhere, so we hand it over).
point_at() {
  local x y w h
  read -r x y w h < <(geometry "$1")
  xdotool mousemove $((x + w / 2)) $((y + h / 2))
  xdotool windowfocus "$1" 2>/dev/null
  sleep 0.2
}

# answer_box TITLE KEY [SECONDS]: presses KEY in the box until it has gone; a
# press is repeated only when the box is still open long after it.
answer_box() {
  local title=$1 key=$2 limit=${3:-60} start=$SECONDS id
  wait_window "$title" "$limit"
  while id=$(window_id "$title"); [ -n "$id" ]; do
    [ $((SECONDS - start)) -lt "$limit" ] || fail "box '$title' still open after ${limit}s"
    alive "the box '$title' was open"
    if xwininfo -id "$id" 2>/dev/null | grep -q "Map State: IsViewable"; then
      point_at "$id"; xdotool key "$key"
      poll 10 "" box_gone "$title" && return 0
    else
      sleep 0.1
    fi
  done
}
box_gone() { [ -z "$(window_id "$1")" ]; }
# answer_question KEY: the fullscreen question (Return: Yes, Escape: No).
answer_question() { answer_box "Start fullscreen?" "$1"; }

# wait_exit [SECONDS]: the program's exit status goes to STATUS.
wait_exit() { poll "${1:-60}" "the program still running" exited; wait "$demo_pid"; STATUS=$?; demo_pid=""; }
expect_exit() { wait_exit "${2:-60}"; [ "$STATUS" = "$1" ] || fail "exit status $STATUS, expected $1"; }

# hold_until ID KEY CONDITION [SECONDS]: a key held until the program reacts
# (a key down and up before the first frame could pass unseen by start-up).
hold_until() {
  point_at "$1"
  xdotool keydown "$2"
  local held=0
  poll "${4:-120}" "" eval "$3" || held=1
  xdotool keyup "$2"
  [ "$held" = 0 ] || fail "holding $2: '$3' still false"
}
quit_with_escape() { hold_until "$1" Escape exited 60; expect_exit 0; }

# snapshot ID FILE: the window as an X window dump, much quicker than import. A
# window may be unmapped for a moment (a new one not yet shown, or under Wine a
# fullscreen one while the display mode changes), so a dump is tried for a while.
dump() { xwd -silent -id "$1" -out "$2" 2>/dev/null; }
snapshot() { poll 10 "no dump of window $1" dump "$1" "$2"; }
colours() { snapshot "$1" "$WORK/colours.xwd"; identify -format %k "xwd:$WORK/colours.xwd"; }

# The overlay's orange (1.0, 0.5, 0.1) and where its lines are drawn in a
# 1024x768 window: 5% from the left, baselines 5%, 6.7% and 8.3% from the top.
FPS_AREA=200x16+40+26
CAPTION_AREA=300x12+40+56
# overlay_pixels FILE AREA: pixels within a level or two of the overlay's colour.
overlay_pixels() {
  convert "$1" -crop "$2" +repage -fuzz 2% -fill black +opaque "rgb(255,128,25)" \
    -fill white -opaque "rgb(255,128,25)" -format "%[fx:int(mean*w*h+0.5)]" info:
}

# wait_overlay ID AREA shown|gone [SECONDS]: until that overlay line is drawn
# (or no longer drawn); the last dump stays in SHOT.
SHOT=""
overlay_is() {
  alive "waiting for the overlay"
  SHOT="$WORK/overlay.xwd"; snapshot "$1" "$SHOT"
  local count; count=$(overlay_pixels "xwd:$SHOT" "$2")
  if [ "$3" = shown ]; then [ "$count" -gt 20 ]; else [ "$count" = 0 ]; fi
}
wait_overlay() { poll "${4:-40}" "overlay area $2 not $3" overlay_is "$1" "$2" "$3"; }

# wait_frames ID COUNT [SECONDS]: until the window has shown COUNT new pictures.
# Every frame changes the picture (animated water and sky, the moving tour), so
# at least COUNT - 1 whole frames have then seen keys sent before the call.
FRAMES_SEEN=0
new_frames() {
  alive "waiting for frames"
  snapshot "$1" "$WORK/frame-b.xwd"
  cmp -s "$WORK/frame-a.xwd" "$WORK/frame-b.xwd" || { FRAMES_SEEN=$((FRAMES_SEEN + 1)); mv "$WORK/frame-b.xwd" "$WORK/frame-a.xwd"; }
  [ "$FRAMES_SEEN" -ge "$2" ]
}
wait_frames() { FRAMES_SEEN=0; snapshot "$1" "$WORK/frame-a.xwd"; poll "${3:-30}" "fewer than $2 new frames" new_frames "$1" "$2"; }
