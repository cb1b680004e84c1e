# Drives the Windows build under Wine as a user would: the e2e driver's keys,
# boxes and screenshots, on the X server of the tests' Wine session (see
# wine-session), with the program started through Wine.
#
# Environment from the test runner: WINE_STATE, VERDAL_EXE, VERDAL_ZIP (the
# download), RUN_DIR (the data directory).

source "$(dirname "${BASH_SOURCE[0]}")/../../e2e/lib/driver.bash"

export WINEPREFIX="$WINE_STATE/prefix" WINEDEBUG=-all
DISPLAY=$(cat "$WINE_STATE/display" 2>/dev/null) || fail "no Wine session"
export DISPLAY

# work_dir: a fresh working directory holding the data directories.
work_dir() {
  WORK=$(mktemp -d "${TMPDIR:-/tmp}/verdal-wine-XXXXXX")
  local dir
  for dir in Scene Shader Textures; do
    ln -s "$RUN_DIR/$dir" "$WORK/$dir"
  done
  cd "$WORK" || fail "no working directory"
}

# start_demo [ARGS...]: verdal.exe in the working directory (made if missing).
start_demo() {
  [ -n "$WORK" ] || work_dir
  wine "$VERDAL_EXE" "$@" </dev/null >"$WORK/demo.out" 2>"$WORK/demo.err" &
  demo_pid=$!
}

# The start-up entries of Log.txt, in order, each line ending in CR LF.
startup_log() {
  printf '%s\r\n\r\n' "Initializing..." "Creating Render Targets..." \
    "Framebuffer Complete" "Framebuffer Complete" "Framebuffer Complete" "Framebuffer Complete" \
    "Framebuffer Complete" "Loading Shaders..." \
    "Shader Validation ID: 0: " "Shader Validation ID: 1: " "Shader Validation ID: 2: " \
    "Shader Validation ID: 3: " "Shader Validation ID: 4: " "Shader Validation ID: 5: " \
    "Shader Validation ID: 6: " "Loading Scene..." "Creating Sky Box Textures..." \
    "Reading Camera Waypoints..."
}

# The overlay's lines sit in the window's top left, below Wine's caption.
OVERLAY_TOP_LEFT=300x90+0+0

# snapshot ID FILE: as the e2e driver's, but Wine unmaps a fullscreen window for
# a moment while the display mode changes, so a dump is tried for a while.
snapshot() {
  local i
  for i in $(seq 1 50); do
    xwd -silent -id "$1" -out "$2" 2>/dev/null && return 0
    sleep 0.1
  done
  fail "no dump of window $1"
}
