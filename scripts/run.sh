#!/usr/bin/env bash
# Starts Torvik.exe under Wine. With no display, it runs on a private Xvfb and a screenshot
# of that display is written to build/screenshot.png once the window is up.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
. scripts/display.sh

export TORVIK_WINEPREFIX="$top/build/wineprefix"
virtual=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then virtual=1; fi
torvik_start_display
pid=""
# Torvik first, then Wine's helper programs, then the display they draw on: a display that
# goes away under them makes each one print a broken X connection.
finish() {
  if [ -n "$pid" ]; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  if [ -n "$TORVIK_XVFB_PID" ]; then
    WINEPREFIX="$TORVIK_WINEPREFIX" timeout 15 wineserver -w 2>/dev/null || true
  fi
  torvik_stop_display
}
trap finish EXIT
# Ctrl+C is the way to stop it, not a failure.
trap 'exit 0' INT TERM

scripts/wine-exec.sh build/win/Torvik.exe &
pid=$!
if [ "$virtual" = 1 ]; then
  for i in $(seq 1 150); do
    if xwininfo -root -tree 2>/dev/null | grep -q '"Torvik"'; then break; fi
    sleep 0.2
  done
  sleep 1
  import -window root build/screenshot.png
  echo "Torvik is running on the virtual display $DISPLAY; screenshot: build/screenshot.png"
  echo "Stop it with Ctrl+C."
fi
status=0
wait "$pid" || status=$?
pid=""
exit "$status"
