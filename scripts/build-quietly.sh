#!/usr/bin/env bash
# Runs a build command and shows only what it did: the "Built target" lines that a build with
# nothing to do prints for every target are left out, so that an up-to-date build says nothing.
# The command's exit code is the script's.
set -uo pipefail
"$@" 2>&1 | grep -v -E '^\[ *[0-9]+%\] Built target |^Consolidate compiler generated dependencies'
exit "${PIPESTATUS[0]}"
