# Sourced by the test and benchmark scripts (after display.sh, with $top set): one Wine
# session for the whole run in the project's prefix, on a virtual display when needed.
# The caller's EXIT trap must call torvik_end_wine_session.

torvik_begin_wine_session() {
  export TORVIK_WINEPREFIX="$top/build/wineprefix"
  export WINEPREFIX="$TORVIK_WINEPREFIX" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  "$top/scripts/wine-prefix.sh"

  # The terminal peer is reached as COM7: a link under build/peer that each peer test points
  # at its pseudo-terminal. Wine maps the ports when its server starts, so this comes first.
  mkdir -p "$top/build/peer"
  if ! grep -qs 'build/peer/com7' "$WINEPREFIX/system.reg"; then
    wine reg add 'HKLM\Software\Wine\Ports' /v COM7 /d "$top/build/peer/com7" /f >/dev/null 2>&1 </dev/null || true
    wineserver -w
  fi

  torvik_start_display
  # One wineserver for the whole run, persistent until the session ends, so that no program
  # pays for a new server. Its helper processes (services, explorer) start here, away from
  # CTest's output pipes, which they would otherwise hold open until the end of the run.
  wineserver -p
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
  # Wine ends its desktop and services a while after the last program exits and starts them
  # again with the next one; a GUI test that starts then may find its windows unpainted. A
  # console that waits for input from this script keeps them up until the script ends.
  exec 8> >(exec wine cmd >/dev/null 2>&1)
}

torvik_end_wine_session() {
  wineserver -k 2>/dev/null || true
  torvik_stop_display
}
