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
  [ -n "$demo_pid" ] && kill "$demo_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  [ -n "$WORK" ] && [ -z "${KEEP_WORK:-}" ] && rm -rf "$WORK"
}
trap cleanup EXIT

# start_x [WxHxDEPTH]: a fresh virtual screen for this test.
start_x() {
  local screen=${1:-1280x1024x24} fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$fdfile" 2>/dev/null &
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
  wait_window "Start fullscreen?"
  press "$WID" "$1"
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
