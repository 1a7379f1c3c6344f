#!/usr/bin/env bash
# Creates the Wine prefix named by WINEPREFIX once, set up for unattended runs:
# no crash dialogs, and no window manager stalls when dialogs close on a bare X server.
set -euo pipefail
: "${WINEPREFIX:?}"
[ -f "$WINEPREFIX/.torvik-ready-2" ] && exit 0
mkdir -p "$WINEPREFIX"
exec 9>"$WINEPREFIX.lock"
flock 9
[ -f "$WINEPREFIX/.torvik-ready-2" ] && exit 0
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
wineboot -i >/dev/null 2>&1 || true
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
# Wine's own TrueType fonts (Marlett draws the caption buttons) are not found in
# Debian's data folder; a copy in the prefix is.
cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
wineserver -w
touch "$WINEPREFIX/.torvik-ready-2"
