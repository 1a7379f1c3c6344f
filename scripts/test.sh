#!/usr/bin/env bash
# Runs every test of both build trees in one CTest run, on a virtual display if needed.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
. scripts/display.sh

export TORVIK_WINEPREFIX="$top/build/wineprefix"
export WINEPREFIX="$TORVIK_WINEPREFIX" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
scripts/wine-prefix.sh

# The terminal peer's tests reach it as COM7: a link under build/peer that each test points at
# its pseudo-terminal. Wine maps the ports when its server starts, so this comes first.
mkdir -p build/peer
if ! grep -qs 'build/peer/com7' "$WINEPREFIX/system.reg"; then
  wine reg add 'HKLM\Software\Wine\Ports' /v COM7 /d "$top/build/peer/com7" /f >/dev/null 2>&1 </dev/null || true
  wineserver -w
fi

torvik_start_display
cleanup() { wineserver -k 2>/dev/null || true; torvik_stop_display; }
trap cleanup EXIT
# One wineserver for the whole run (persistent until the trap ends it), so that no Windows
# test pays for a new server and desktop, or races one that is starting. Its
# helper processes (services, explorer) start here, away from CTest's output pipes, which
# they would otherwise hold open until the end of the run.
wineserver -p
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
# Wine ends its desktop and services a while after the last program exits and starts them
# again with the next one; a GUI test that starts then may find its windows unpainted. A
# console that waits for input from this script keeps them up until the script ends.
exec 8> >(exec wine cmd >/dev/null 2>&1)

# CTest's own aggregation of the two trees, so that the run ends with one summary.
printf 'subdirs("native" "win" "fuzz")\n' > build/CTestTestfile.cmake
ctest --test-dir build --output-on-failure -j "$(nproc)" "$@"
