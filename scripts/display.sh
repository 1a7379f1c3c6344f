# Sourced by the run and test scripts: makes sure an X display is there, starting a
# private Xvfb when there is none. Sets DISPLAY and TORVIK_XVFB_PID (empty when not ours).
TORVIK_XVFB_PID=""
torvik_start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    # In a session of its own, so that Ctrl+C reaches the programs on it and not the display
    # itself: the stop routine takes it down after them.
    setsid Xvfb ":$n" -screen 0 "${TORVIK_XVFB_SCREEN:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
    TORVIK_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 100); do
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    kill "$TORVIK_XVFB_PID" 2>/dev/null || true
    TORVIK_XVFB_PID=""
  done
  echo "Could not start a virtual display (Xvfb)." >&2
  return 1
}
torvik_stop_display() {
  [ -n "$TORVIK_XVFB_PID" ] && kill "$TORVIK_XVFB_PID" 2>/dev/null || true
}
