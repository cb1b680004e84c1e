# verdal-bench under valgrind's memcheck for a few frames: every read, write
# and free of the demo checked, Mesa's llvmpipe included. Slow: 20 frames take
# about a quarter of an hour. Errors anywhere make the exit status 3.
#   bash bench/memcheck.sh VERDAL_BENCH RUN_DIR [FRAMES]
set -u
bench=${1:?the verdal-bench program (a release build)}
run=${2:?the run directory}
frames=${3:-20}
exec valgrind --tool=memcheck --error-exitcode=3 --num-callers=30 --leak-check=full \
  --suppressions="$(dirname "$0")/memcheck.supp" \
  "$bench" --data "$run" --frames "$frames" --size 320x240
