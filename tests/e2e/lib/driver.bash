# Drives the real program as a user would: its own virtual X server (no window
# manager, so keyboard focus follows the pointer), synthetic keys and mouse
# through xdotool, and what the program leaves behind (exit status, Log.txt,
# usrpath.wps, screenshots).
#
# Environment from the test runner: VERDAL (the program), X11_CLOSE_WINDOW
# (sends a window manager's close request), RUN_DIR (the data directory).

set -u
MAIN_TITLE="The Verdal OpenGL Demo - [verdal.example.org]"
demo_pid=""
xvfb_pid=""
WORK=""

fail() {
  echo "FAIL: $*" >&2
  if [ -n "${DISPLAY:-}" ] && [ -n "$xvfb_pid" ]; then
    echo "--- windows on $DISPLAY ---" >&2
    kill -0 "$xvfb_pid" 2>/dev/null || echo "(the X server has ended)" >&2
    xwininfo -root -children 2>&1 | grep -v '^ *$' >&2
  fi
  if [ -n "$WORK" ] && [ -f "$WORK/Log.txt" ]; then
    echo "--- Log.txt ---" >&2
    cat "$WORK/Log.txt" >&2
  fi
  if [ -n "$WORK" ] && [ -f "$WORK/demo.err" ]; then
    echo "--- stderr ---" >&2
    cat "$WORK/demo.err" >&2
  fi
  exit 1
}

cleanup() {
  if [ -n "$demo_pid" ]; then
    kill "$demo_pid" 2>/dev/null
    # A program that takes the signal as a close request it never acts on
    # would keep the test waiting below; give it a few seconds, then end it.
    for _ in $(seq 1 30); do kill -0 "$demo_pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$demo_pid" 2>/dev/null
  fi
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  [ -n "$WORK" ] && [ -z "${KEEP_WORK:-}" ] && rm -rf "$WORK"
}
trap cleanup EXIT

# start_x [WxHxDEPTH]: a fresh virtual screen for this test. -noreset: by
# default the server resets whenever its last client leaves (here, each
# xdotool or xwininfo call, or the program's question box), and a program
# connecting during the reset is hung up on.
start_x() {
  local screen=${1:-1280x1024x24} fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$fdfile" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 1 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
  [ -s "$fdfile" ] || fail "the X server did not start"
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
}

# start_demo [ARGS...]: runs the program in a fresh working directory that
# holds the data directories.
start_demo() {
  WORK=$(mktemp -d "${TMPDIR:-/tmp}/verdal-e2e-XXXXXX")
  local dir
  for dir in Scene Shader Textures; do
    [ -d "${RUN_DIR:-/nonexistent}/$dir" ] && ln -s "$RUN_DIR/$dir" "$WORK/$dir"
  done
  cd "$WORK" || fail "no working directory"
  "$VERDAL" "$@" >"$WORK/demo.out" 2>"$WORK/demo.err" &
  demo_pid=$!
}

# window_id TITLE: the id of the top-level window with exactly that title, if any.
window_id() {
  xwininfo -name "$1" 2>/dev/null | awk '/Window id:/ {print $4; exit}'
}

# wait_window TITLE [SECONDS]: waits until the window exists; its id goes to WID.
WID=""
wait_window() {
  local title=$1 limit=${2:-60} i
  WID=""
  for i in $(seq 1 $((limit * 10))); do
    WID=$(window_id "$title")
    [ -n "$WID" ] && return 0
    kill -0 "$demo_pid" 2>/dev/null || fail "the program ended while waiting for '$title'"
    sleep 0.1
  done
  fail "no window '$title' after ${limit}s"
}

# wait_gone TITLE [SECONDS]
wait_gone() {
  local title=$1 limit=${2:-30} i
  for i in $(seq 1 $((limit * 10))); do
    [ -z "$(window_id "$title")" ] && return 0
    sleep 0.1
  done
  fail "window '$title' still there after ${limit}s"
}

# geometry ID: prints "X Y WIDTH HEIGHT" of a window.
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4}
                           /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

# point_at ID: moves the pointer into the window and gives it the keyboard.
# Focus follows the pointer only until a program sets it; once a focused window
# is destroyed the focus goes nowhere, so we hand it over as a window manager would.
point_at() {
  local x y w h
  read -r x y w h < <(geometry "$1")
  xdotool mousemove $((x + w / 2)) $((y + h / 2))
  xdotool windowfocus "$1" 2>/dev/null
  sleep 0.2
}

# press ID KEY: a short key press for dialogs.
press() {
  point_at "$1"
  xdotool key "$2"
}

# hold ID KEY [SECONDS]: keeps a key down long enough for frames to see it.
hold() {
  point_at "$1"
  xdotool keydown "$2"
  sleep "${3:-0.5}"
  xdotool keyup "$2"
}

# answer_question KEY: answers the fullscreen question (Return: Yes, Escape: No).
answer_question() {
  answer_box "Start fullscreen?" "$1"
}

# answer_box TITLE KEY [SECONDS]: presses KEY in the box with that title until
# the box has gone. A press is repeated only when the box is still open long
# after it, so a slow but answered box never gets a second key.
answer_box() {
  local title=$1 key=$2 limit=${3:-60} start=$SECONDS id i
  wait_window "$title" "$limit"
  while id=$(window_id "$title"); [ -n "$id" ]; do
    [ $((SECONDS - start)) -lt "$limit" ] || fail "box '$title' still open after ${limit}s"
    kill -0 "$demo_pid" 2>/dev/null || fail "the program ended with the box '$title' open"
    if xwininfo -id "$id" 2>/dev/null | grep -q "Map State: IsViewable"; then
      press "$id" "$key"
      for i in $(seq 1 100); do [ -z "$(window_id "$title")" ] && return 0; sleep 0.1; done
    else
      sleep 0.1
    fi
  done
}

# wait_exit [SECONDS]: waits for the program to end; its exit status goes to STATUS.
STATUS=""
wait_exit() {
  local limit=${1:-60} i
  for i in $(seq 1 $((limit * 10))); do
    if ! kill -0 "$demo_pid" 2>/dev/null; then
      wait "$demo_pid"
      STATUS=$?
      demo_pid=""
      return 0
    fi
    sleep 0.1
  done
  fail "the program did not end within ${limit}s"
}

# count_lines TEXT FILE: how many lines of FILE are exactly TEXT.
count_lines() {
  grep -cxF -- "$1" "$2" 2>/dev/null || true
}

# screenshot ID FILE: the window's pixels as PNG.
screenshot() {
  import -window "$1" "$2" 2>/dev/null || fail "no screenshot of window $1"
}

# pixel FILE X Y: prints "R G B" (0..255) of one pixel of an image.
pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:
}

# hold_until ID KEY CONDITION [SECONDS]: keeps a key down until a shell
# condition holds, as a user holds a key until the program reacts. Start-up
# can take seconds, and a key pressed and released before the first frame is
# never seen by the level-triggered frame update.
hold_until() {
  local id=$1 key=$2 condition=$3 limit=${4:-120} i
  point_at "$id"
  xdotool keydown "$key"
  for i in $(seq 1 $((limit * 10))); do
    if eval "$condition"; then
      xdotool keyup "$key"
      return 0
    fi
    sleep 0.1
  done
  xdotool keyup "$key"
  fail "holding $key: '$condition' still false after ${limit}s"
}

# exited: true once the program has ended.
exited() {
  ! kill -0 "$demo_pid" 2>/dev/null
}

# wait_for CONDITION [SECONDS]: polls a shell condition.
wait_for() {
  local condition=$1 limit=${2:-120} i
  for i in $(seq 1 $((limit * 10))); do
    eval "$condition" && return 0
    sleep 0.1
  done
  fail "'$condition' still false after ${limit}s"
}

# colours ID: how many distinct colours the window shows now.
colours() {
  screenshot "$1" "$WORK/colours.png"
  identify -format %k "$WORK/colours.png"
}

# snapshot ID FILE: the window's pixels as an X window dump ("xwd:FILE" for
# ImageMagick). Much quicker than import while the program keeps the server busy.
snapshot() {
  xwd -silent -id "$1" -out "$2" 2>/dev/null || fail "no dump of window $1"
}

# colour_count FILE R G B [AREA]: how many pixels of the image (within AREA,
# WxH+X+Y) are within a level or two of that colour.
colour_count() {
  local file=$1 colour="rgb($2,$3,$4)" area=${5:-}
  convert "$file" ${area:+-crop "$area" +repage} -fuzz 2% -fill black +opaque "$colour" \
    -fill white -opaque "$colour" -format "%[fx:int(mean*w*h+0.5)]" info:
}

# The overlay's text colour, and where its lines are drawn in a 1024x768
# window: 5% from the left, baselines 5%, 6.7% and 8.3% from the top.
OVERLAY_RGB="255 128 25"
FPS_AREA=200x16+40+26
CAPTION_AREA=300x12+40+56

# overlay_pixels FILE AREA: pixels of the overlay's colour in that area.
overlay_pixels() {
  # shellcheck disable=SC2086
  colour_count "$1" $OVERLAY_RGB "$2"
}

# wait_overlay ID AREA shown|gone [SECONDS]: polls the window until that line
# of the overlay is drawn (or no longer drawn); the last dump stays in SHOT.
SHOT=""
wait_overlay() {
  local id=$1 area=$2 want=$3 limit=${4:-40} start=$SECONDS count
  SHOT="$WORK/overlay.xwd"
  while :; do
    kill -0 "$demo_pid" 2>/dev/null || fail "the program ended while waiting for the overlay"
    snapshot "$id" "$SHOT"
    count=$(overlay_pixels "xwd:$SHOT" "$area")
    if [ "$want" = shown ]; then [ "$count" -gt 20 ] && return 0; else [ "$count" = 0 ] && return 0; fi
    [ $((SECONDS - start)) -lt "$limit" ] || fail "overlay area $area not $want after ${limit}s ($count pixels)"
    sleep 0.2
  done
}

# wait_frames ID COUNT [SECONDS]: waits until the window has shown COUNT new
# pictures. Every frame changes the picture (the water and sky are animated,
# and the tour moves the camera), so when it returns at least COUNT - 1 whole
# frames have run after the call began: enough for keys sent before it to
# have been seen by a frame's update.
wait_frames() {
  local id=$1 count=$2 limit=${3:-30} start=$SECONDS seen=0 previous current
  previous="$WORK/frame-a.xwd"; current="$WORK/frame-b.xwd"
  snapshot "$id" "$previous"
  while [ "$seen" -lt "$count" ]; do
    kill -0 "$demo_pid" 2>/dev/null || fail "the program ended while waiting for frames"
    [ $((SECONDS - start)) -lt "$limit" ] || fail "only $seen new frames in ${limit}s"
    sleep 0.1
    snapshot "$id" "$current"
    if ! cmp -s "$previous" "$current"; then
      seen=$((seen + 1))
      mv "$current" "$previous"
    fi
  done
}
