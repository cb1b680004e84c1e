# Drives the Windows build under Wine as a user would: the e2e driver's keys,
# boxes and window dumps, on the X server of the tests' Wine session (see
# wine-session). Environment: WINE_STATE, VERDAL_EXE, VERDAL_ZIP (the
# download), RUN_DIR (the data directory).
source "$(dirname "${BASH_SOURCE[0]}")/../../e2e/lib/driver.bash"
export WINEPREFIX="$WINE_STATE/prefix" WINEDEBUG=-all
DISPLAY=$(cat "$WINE_STATE/display" 2>/dev/null) || fail "no Wine session"
export DISPLAY
PROGRAM=(wine "${VERDAL_EXE:-}")

# The start-up entries of Log.txt, in order, each line ending in CR LF.
FRAMEBUFFERS=("Framebuffer Complete"{,,,,})
SHADERS=("Shader Validation ID: "{0..6}": ")
startup_log() {
  printf '%s\r\n\r\n' "Initializing..." "Creating Render Targets..." "${FRAMEBUFFERS[@]}" "Loading Shaders..." \
    "${SHADERS[@]}" "Loading Scene..." "Creating Sky Box Textures..." "Reading Camera Waypoints..."
}

# The overlay's lines sit in the window's top left, below Wine's caption.
OVERLAY_TOP_LEFT=300x90+0+0
