# The real program through many fullscreen switches under a virtual X server:
# resident memory after each window cycle's start-up, so growth from cycle
# to cycle shows.
#   bash bench/toggle_soak.sh VERDAL RUN_DIR [SWITCHES]
VERDAL=$(realpath "${1:?the verdal program}")
RUN_DIR=$(realpath "${2:?the run directory}")
switches=${3:-20}
source "$(dirname "$0")/../tests/e2e/lib/driver.bash"
resident_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$demo_pid/status"; }
startups() { count_lines "Reading Camera Waypoints..." Log.txt; }

# The screen's own size, so each switch to fullscreen succeeds without a box.
start_x 1024x768x24
start_demo
answer_question Escape
for cycle in $(seq 1 $((switches + 1))); do
  wait_for '[ "$(startups)" = '"$cycle"' ]' 120
  sleep 3  # a few frames
  wait_window "$MAIN_TITLE"; id=$WID
  echo "resident_kb_cycle_$cycle: $(resident_kb)"
  [ "$cycle" -le "$switches" ] || break
  hold_until "$id" F1 '[ "$(count_lines "DeInitializing..." Log.txt)" = '"$cycle"' ]' 120
done
hold_until "$id" Escape exited 60
wait_exit
echo "exit_status: $STATUS"
