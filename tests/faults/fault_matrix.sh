# The fault matrix: the real programs (release builds, as users run them) on
# spoiled data, poor drivers and awkward users, each case with its exact
# outcome. `fault_matrix.sh files` runs the data and driver cases headless with
# verdal-bench, each under a 1.5 GB address-space limit, and start-ups repeated
# in one process; `fault_matrix.sh
# window` runs the cases that need the window with verdal under Xvfb.
#
# Environment: VERDAL and VERDAL_BENCH (release builds), RUN_DIR (the data),
# X11_CLOSE_WINDOW (sends a window manager's close request).

source "$(dirname "$0")/../e2e/lib/driver.bash"
export LC_ALL=C
MEMORY_LIMIT_KB=1500000

# own FILE: replaces the link with a copy the case may change.
own() { cp --remove-destination "$(readlink -f "$1")" "$1"; }
spoil() {
  local how=$1 file=$2
  case "$how" in
    remove) rm -f "$file" ;;
    truncate) own "$file"; truncate -s "$3" "$file" ;;
    junk) rm -f "$file"; awk 'BEGIN { srand(7); for (i = 0; i < 4096; i++) printf "%c", int(rand() * 256) }' >"$file" ;;
    # The info header claims 108 bytes (a later header version we do not read).
    header) own "$file"; printf '\x6c\x00\x00\x00' | dd of="$file" bs=1 seek=14 conv=notrunc status=none ;;
    oversized) rm -f "$file"; head -c 100000 /dev/zero | tr '\0' '\n' >"$file" ;;
    records) rm -f "$file"; for i in $(seq 1 150); do echo "0.$i 0.2 0.3"; echo "0 0.1 1"; done >"$file" ;;
    directory) rm -f "$file"; mkdir "$file" ;;
    device) rm -f "$file"; ln -s /dev/full "$file" ;;
    readonly) rm -f "$file"; : >"$file"; chmod 444 "$file" ;;
    none) ;;
    *) fail "unknown way to spoil: $how" ;;
  esac
}

# check KIND=TEXT: one expectation of a headless case.
check() {
  local text=${1#*=} line
  case "${1%%=*}" in
    log) logged "$text" || fail "no log entry '$text'" ;;
    logstart) grep -qxF -- "$text" <(cut -c1-${#text} Log.txt 2>/dev/null) || fail "no log entry starting '$text'" ;;
    box) grep -qxF -- "verdal-bench: Error: $text" bench.err || fail "no message '$text'" ;;
    boxes) grep -qx "message_boxes: $text" bench.out || fail "not $text message boxes" ;;
    colours) [ "$(identify -format %k shot/frame-000002.png)" -ge "$text" ] || fail "fewer than $text colours drawn" ;;
    startup)
      for line in "Initializing..." "Creating Render Targets..." "Loading Shaders..." "Loading Scene..." \
                  "Creating Sky Box Textures..." "Reading Camera Waypoints..." "DeInitializing..."; do
        logged "$line" || fail "start-up line '$line' missing"
      done ;;
    nolog) [ ! -f Log.txt ] || [ ! -s Log.txt ] || fail "something was logged" ;;
    said) [ "$(grep -c "^$text" bench.err)" = 1 ] || fail "not said once on stderr: '$text'" ;;
    *) fail "unknown expectation $1" ;;
  esac
}

# The headless cases: name | spoiling | exit status | expectations (KIND=TEXT,
# with ~ for a blank in TEXT). A status of 1 with a message is an undecodable
# bitmap, which ends the program.
FILE_CASES=$(cat <<'EOF'
scene missing        | remove Scene/Verdal3Leafs.kxr      | 0 | startup colours=1000
shader missing       | remove Shader/dof.fsh              | 0 | startup log=ERROR:~Can't~find~shaderfile:~Shader/dof.fsh logstart=PS~Compiling~Error!~ID:~1:~ colours=1000
bitmap missing       | remove Textures/rock.bmp           | 1 | box=Failed~to~open~DIB~file~Textures\rock.bmp.
path missing         | remove Scene/c2wp.wps              | 0 | startup log=ERROR:~Can't~open~waypoint~file:~Scene/c2wp.wps colours=1000
scene truncated      | truncate Scene/Verdal4.kxr 5000    | 0 | startup logstart=Scene/Verdal4.kxr:~ colours=1000
scene junk           | junk Scene/Verdal4meadow.kxr       | 0 | startup logstart=Scene/Verdal4meadow.kxr:~material~count~(line~1):~ colours=1000
bitmap truncated     | truncate Textures/rock.bmp 3000    | 1 | box=Image~file~conversion~error.
bitmap junk          | junk Textures/skies/zgskyTop.bmp   | 1 | box=Unknown~DIB~file~format.
bitmap header size   | header Textures/water_normal3.bmp  | 1 | box=Unknown~DIB~file~format.
shader oversized     | oversized Shader/dof.fsh           | 0 | startup log=ERROR:~Shaderfile~larger~than~99999~bytes:~Shader/dof.fsh logstart=PS~Compiling~Error!~ID:~1:~ colours=1000
shader junk          | junk Shader/Water.vsh              | 0 | startup logstart=VS~Compiling~Error!~ID:~3:~ colours=1000
path of 150 records  | records Scene/c1wp.wps             | 0 | startup log=ERROR:~Waypoint~file~Scene/c1wp.wps~holds~more~than~100~waypoints;~the~rest~are~ignored colours=1000
path junk            | junk Scene/c3wp.wps                | 0 | startup logstart=ERROR:~Waypoint~file~Scene/c3wp.wps~holds~text~that~is~not~a~number colours=1000
log is a directory   | directory Log.txt                  | 0 | said=log:~cannot~write~Log.txt colours=1000
log on a full disk   | device Log.txt                     | 0 | said=log:~cannot~write~Log.txt colours=1000
log read-only        | readonly Log.txt                   | 0 | nolog said=log:~cannot~write~Log.txt colours=1000
no multitexture      | hide GL_ARB_multitexture           | 0 | box=Multitexturing~not~supported! boxes=1 startup colours=1000
no buffers           | hide glGenBuffersARB               | 0 | box=VBOs~not~supported! boxes=1 startup colours=1000
no framebuffers      | hide GL_EXT_framebuffer_object     | 0 | log=Error:~EXT_framebuffer_object~not~supported! boxes=0 startup colours=2
framebuffer entry    | hide glGenerateMipmapEXT           | 0 | log=Error:~EXT_framebuffer_object~entrypoints~not~found! startup colours=2
no shading language  | hide GL_ARB_shading_language_100   | 0 | log=OpenGL~Shading~Language~not~supported! startup colours=1000
shader entry         | hide glGetInfoLogARB               | 0 | log=Not~all~entrypoints~available! startup colours=1000
EOF
)

# run_file_case NAME SPOILING STATUS EXPECTATIONS: one row of the table. A
# hidden GL name goes to the bench as VERDAL_HIDE_GL; a read-only log is only
# read-only to an ordinary user, so that case runs as one.
run_file_case() {
  local name=$1 want=$3 expectation status
  local -a spoiling=($2) environment=() command=("$VERDAL_BENCH" --size 320x240 --frames 2 --screenshot-at 2 --screenshot-dir shot)
  fresh_work
  mkdir -p shot
  case "${spoiling[0]}" in
    hide) environment=("VERDAL_HIDE_GL=${spoiling[1]}") ;;
    readonly) spoil "${spoiling[@]}"; chown -R nobody:nogroup shot
              command=(setpriv --reuid=nobody --regid=nogroup --clear-groups "${command[@]}") ;;
    *) spoil "${spoiling[@]}" ;;
  esac
  (ulimit -v "$MEMORY_LIMIT_KB"; exec env "${environment[@]}" "${command[@]}") >bench.out 2>bench.err
  status=$?
  [ "$status" = "$want" ] || fail "$name: exit status $status, expected $want ($(tail -n 3 bench.err))"
  for expectation in $4; do check "${expectation//\~/ }"; done
  echo "ok: $name"
}

files() {
  set -f  # the table holds no file patterns
  local name spoiling want expectations
  while IFS='|' read -r name spoiling want expectations; do
    # shellcheck disable=SC2086
    run_file_case "$(echo $name)" "$spoiling" $want "$expectations"
  done <<<"$FILE_CASES"
  repeated_startups_case
}

# Start-ups repeated in one process, as F1 repeats them: each later cycle's
# memory at its first frame and after its teardown stays within 4 % of the
# first cycle's (the heap a cycle frees is given back or used again, not kept
# beside the next cycle's).
repeated_startups_case() {
  fresh_work
  "$VERDAL_BENCH" --size 320x240 --frames 1 --cycles 4 --memory-at 1 >bench.out 2>bench.err \
    || fail "repeated start-ups: $(tail -n 3 bench.err)"
  awk -F': ' '/^resident_kb_frame_1:/ { frame[++n] = $2 } /^resident_kb_after_cycle_/ { after[++m] = $2 }
    END { if (n != 4 || m != 4) exit 1
          for (i = 2; i <= 4; i++) if (frame[i] > frame[1] * 1.04 || after[i] > after[1] * 1.04) exit 1 }' bench.out \
    || fail "repeated start-ups: $(grep resident_kb bench.out | tr '\n' ' ')"
  echo "ok: repeated start-ups"
}

# ---- cases with the window ---------------------------------------------------------

# The resolution switch: the whole command line, exactly, or the default.
resolution_cases() {
  local args size x y w h
  while IFS='|' read -r args size; do
    # shellcheck disable=SC2086
    start_demo $args
    answer_question Escape
    wait_window "$MAIN_TITLE"; id=$WID
    read -r x y w h < <(geometry "$id")
    [ "$w"x"$h" = "$(echo $size)" ] || fail "'$args' gave ${w}x$h, expected $size"
    quit_with_escape "$id"
  done <<'EOF'
-800x600            | 800x600
-1600x1200          | 1600x1200
-800x600 -800x600   | 1024x768
EOF
}

# A missing crosshair bitmap stops start-up at its message box, with the main
# window open; that window is closed first, then the box is answered: the
# program ends with the undecodable bitmap's status, 1.
closed_under_box_case() {
  fresh_work
  spoil remove Textures/crosshair.bmp
  launch
  answer_question Escape
  wait_window "Error"
  "$X11_CLOSE_WINDOW" "$(window_id "$MAIN_TITLE")" || fail "no main window to close while the box is open"
  answer_box "Error" Return
  expect_exit 1 30
  [ "$(count_lines 'Error: Failed to open DIB file Textures\crosshair.bmp.' demo.err)" = 1 ] || fail "no bitmap message"
}

# Minimised, the program waits for messages and draws nothing: it takes no
# processor time until it is restored, and then draws again.
minimise_case() {
  start_demo
  answer_question Escape
  wait_window "$MAIN_TITLE"; id=$WID
  wait_frames "$id" 2
  xdotool windowunmap --sync "$id"
  sleep 1
  local before; before=$(awk '{ print $14 + $15 }' "/proc/$demo_pid/stat"); sleep 3
  local used=$(($(awk '{ print $14 + $15 }' "/proc/$demo_pid/stat") - before))
  [ "$used" -le 10 ] || fail "minimised, it used $used clock ticks in 3 s"
  xdotool windowmap --sync "$id"
  wait_frames "$id" 2
  quit_with_escape "$id"
}

# A real driver that lacks the multitexture, framebuffer-object and shader
# extensions at once: the box for the first, log lines for the others, and
# frames drawn with what is left.
poor_driver_case() {
  start_demo MESA_EXTENSION_OVERRIDE="-GL_ARB_multitexture -GL_EXT_framebuffer_object -GL_ARB_shader_objects"
  answer_question Escape
  answer_box "Error" Return
  wait_window "$MAIN_TITLE"; id=$WID
  wait_overlay "$id" "$FPS_AREA" shown 60
  logged "Error: EXT_framebuffer_object not supported!" || fail "framebuffer objects not reported"
  logged "OpenGL Shading Language not supported!" || fail "shading language not reported"
  [ "$(count_lines "Error: Multitexturing not supported!" demo.err)" = 1 ] || fail "multitexture box not shown once"
  quit_with_escape "$id"
}

window() {
  start_x 1920x1200x24
  local case
  for case in ${1:-resolution_cases closed_under_box_case minimise_case poor_driver_case}; do
    "$case"
    echo "ok: $case"
  done
}

case "${1:-}" in
  files) files ;;
  window) window "${2:-}" ;;
  *) echo "usage: fault_matrix.sh files|window" >&2; exit 2 ;;
esac
echo "ok"
