#!/usr/bin/env bash
# Runs every test of both build trees in one CTest run, on a virtual display if needed.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
. scripts/display.sh

export TORVIK_WINEPREFIX="$top/build/wineprefix"
export WINEPREFIX="$TORVIK_WINEPREFIX" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
scripts/wine-prefix.sh

torvik_start_display
cleanup() { wineserver -k 2>/dev/null || true; torvik_stop_display; }
trap cleanup EXIT
# One wineserver for the whole run, so each Windows test does not pay for a new one. Its
# helper processes (services, explorer) start here, away from CTest's output pipes, which
# they would otherwise hold open until the end of the run.
wineserver -p 120
wine cmd /c exit >/dev/null 2>&1 </dev/null || true

# CTest's own aggregation of the two trees, so that the run ends with one summary.
printf 'subdirs("native" "win" "fuzz")\n' > build/CTestTestfile.cmake
ctest --test-dir build --output-on-failure -j "$(nproc)" "$@"
