#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix, quietly.
# Used as CMake's cross-compiling emulator and by `make run`; never touches ~/.wine.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEPREFIX="${TORVIK_WINEPREFIX:-$here/../build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
"$here/wine-prefix.sh"
exec wine "$@"
