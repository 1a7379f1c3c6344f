#!/usr/bin/env bash
# Runs every test of the three build trees in one CTest run, on a virtual display if needed.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
. scripts/display.sh
. scripts/wine-session.sh

trap torvik_end_wine_session EXIT
torvik_begin_wine_session

# CTest's own aggregation of the trees, so that the run ends with one summary.
printf 'subdirs("native" "win" "fuzz")\n' > build/CTestTestfile.cmake
ctest --test-dir build --output-on-failure -j "$(nproc)" "$@"
