# The download as a user gets it: the zip unpacked into an empty folder, and
# verdal-bench.exe in it rendering headless frames with GL debug output on:
# no GL error, a result line of "ok" and a screenshot that is a picture.
source "$(dirname "$0")/lib/wine_driver.bash"
WORK=$(mktemp -d "${TMPDIR:-/tmp}/verdal-zip-XXXXXX")
cd "$WORK" && cmake -E tar xf "$VERDAL_ZIP" || fail "cannot unpack $VERDAL_ZIP"
for entry in verdal.exe verdal-bench.exe README.txt Scene/Verdal4.kxr Shader/lighting.fsh Textures/crosshair.bmp; do
  [ -f "$entry" ] || fail "the zip lacks $entry"
done
wine verdal-bench.exe --frames 3 --gl-debug --screenshot-at 3 --screenshot-dir . </dev/null >bench.crlf 2>bench.err
status=$?
tr -d '\r' <bench.crlf >bench.out
cat bench.out
[ "$status" = 0 ] || fail "exit status $status: $(cat bench.err)"
grep -qx "gl_errors: 0" bench.out && grep -qx "result: ok" bench.out || fail "GL errors or no ok result"
[ "$(identify -format %k frame-000003.png)" -gt 1000 ] || fail "the screenshot is nearly uniform"
echo ok
