#!/usr/bin/env bash
# The program at the screen scales people use: the GUI driver's Dpi cases at 96, 144 and 192
# DPI (or the DPIs given as arguments), in a Wine prefix of its own (Wine reads the DPI,
# LogPixels, when its server starts, so each DPI restarts it) and on a display of its own,
# large enough for a 200% face and editor. The screenshots above 96 DPI are converted to PNG
# (build/win/screenshots/png) for people to look at. Exit 77 (skipped) without the Windows
# build.
set -uo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
driver="$top/build/win/gui_tests.exe"
[ -f "$driver" ] && [ -f "$top/build/win/Torvik.exe" ] || { echo "no Windows build"; exit 77; }
dpis=("$@")
[ ${#dpis[@]} -gt 0 ] || dpis=(96 144 192)

export WINEPREFIX="$top/build/dpi-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
export TORVIK_WINEPREFIX="$WINEPREFIX"
. "$top/scripts/display.sh"
unset DISPLAY
TORVIK_XVFB_SCREEN=2048x1536x24 torvik_start_display || exit 1
stop() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
}
trap 'stop; torvik_stop_display' EXIT
"$top/scripts/wine-prefix.sh"

failed=0
for dpi in "${dpis[@]}"; do
  echo "=== $dpi DPI"
  stop
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 </dev/null
  wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' /v LogPixels \
    /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 </dev/null
  stop
  # The driver runs throughout, which keeps Wine's desktop up between the programs it starts.
  wineserver -p
  wine cmd /c exit >/dev/null 2>&1 </dev/null
  TORVIK_TEST_DPI=$dpi wine "$driver" --gtest_filter='Dpi*' --gtest_brief=1 2>&1 </dev/null | tr -d '\r'
  [ "${PIPESTATUS[0]}" -eq 0 ] || failed=1
done

shots="$top/build/win/screenshots"
if command -v convert >/dev/null; then
  mkdir -p "$shots/png"
  for bmp in "$shots"/dpi1[0-9][0-9]_*.bmp; do
    [ -f "$bmp" ] && convert "$bmp" "$shots/png/$(basename "${bmp%.bmp}").png"
  done
fi
exit $failed
