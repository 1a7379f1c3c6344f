#!/usr/bin/env bash
# The setup program under Wine, in a fresh prefix of its own (never the test prefix): a silent
# install for all users puts the program, its uninstaller, the Start-menu entry, the
# association and the uninstall entry in place; a design opened through the association loads
# and a Save As beside the program writes the same bytes (the GUI driver's Installed case);
# the silent uninstaller takes away what was installed and leaves that design. Then the same
# for one user (/CurrentUser). Exit 77 (skipped) without the Windows build, the setup program
# or a display.
set -uo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
version=$(sed -n 's/^#define TORVIK_VERSION_TEXT "\(.*\)"$/\1/p' "$top/resources/version.h")
setup="$top/build/Torvik-$version-setup.exe"
driver="$top/build/win/gui_tests.exe"
[ -f "$driver" ] && [ -f "$top/build/win/Torvik.exe" ] || { echo "no Windows build"; exit 77; }
[ -f "$setup" ] || { echo "no setup program: make installer"; exit 77; }
[ -n "${DISPLAY:-}" ] || { echo "no display"; exit 77; }

export WINEPREFIX="$top/build/installer-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
rm -rf "$WINEPREFIX" "$WINEPREFIX.lock"
# No Wine process of this prefix outlives the test.
trap 'wineserver -k 2>/dev/null; wineserver -w 2>/dev/null' EXIT
"$top/scripts/wine-prefix.sh"
wineserver -p  # one server for the whole test, ended by the trap

failed=0
check() {  # description, then a command that must succeed
  local what=$1
  shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failed=1; fi
}
# A registry value as text ("" when missing); /ve for the default value.
value() {
  local key=$1 name=$2
  local args=(/v "$name")
  [ "$name" = "" ] && args=(/ve)
  wine reg query "$key" "${args[@]}" 2>/dev/null </dev/null | tr -d '\r' | sed -n 's/^.*REG_[A-Z_]*    //p'
}
equals() { [ "$1" = "$2" ] || { echo "     got '$1', want '$2'"; return 1; }; }
missing() { ! wine reg query "$1" >/dev/null 2>&1 </dev/null; }
# The uninstaller copies itself away and ends at once; the copy's last step drops this key.
wait_for_uninstall() {
  local key=$1
  for _ in $(seq 1 100); do missing "$key" && return 0; sleep 0.3; done
  return 1
}

uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Torvik'
c_drive="$WINEPREFIX/drive_c"

echo "--- for all users"
wine "$setup" /S </dev/null
folder="$c_drive/Program Files/Torvik"
exe='C:\Program Files\Torvik\Torvik.exe'
check "the program is the one built" cmp -s "$folder/Torvik.exe" "$top/build/win/Torvik.exe"
check "the command-line companion is the one built" cmp -s "$folder/torvik-cli.exe" "$top/build/win/torvik-cli.exe"
check "its uninstaller" test -f "$folder/Uninstall.exe"
check "the Start-menu entry" test -f "$c_drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Torvik.lnk"
check ".TVX is a design" equals "$(value 'HKLM\Software\Classes\.tvx' '')" Torvik.Design
check ".ATX is a template" equals "$(value 'HKLM\Software\Classes\.atx' '')" Torvik.Template
check "designs open in Torvik" equals "$(value 'HKLM\Software\Classes\Torvik.Design\shell\open\command' '')" \
  "\"$exe\" \"%1\""
check "templates open in Torvik" equals "$(value 'HKLM\Software\Classes\Torvik.Template\shell\open\command' '')" \
  "\"$exe\" \"%1\""
check "designs have their own icon" equals "$(value 'HKLM\Software\Classes\Torvik.Design\DefaultIcon' '')" "$exe,-2"
check "the uninstall entry names the version" equals "$(value "HKLM\\$uninstall_key" DisplayVersion)" "$version"
check "the uninstall entry names the uninstaller" equals "$(value "HKLM\\$uninstall_key" UninstallString)" \
  '"C:\Program Files\Torvik\Uninstall.exe"'

TORVIK_INSTALLED_FOLDER='C:\Program Files\Torvik' wine "$driver" --gtest_filter='Installed.*' --gtest_brief=0 \
  </dev/null 2>&1 | tr -d '\r'
check "a double-clicked design opens and saves the same bytes" test "${PIPESTATUS[0]}" -eq 0
check "the design saved beside the program" test -f "$folder/saved beside.TVX"

# While Torvik runs its file is in use: the uninstaller (run in place, so that it has ended
# when the checks look) refuses and leaves everything.
wine "$folder/Torvik.exe" </dev/null >/dev/null 2>&1 &
torvik_pid=$!
for _ in $(seq 1 100); do xdotool search --name '^Torvik$' >/dev/null 2>&1 && break; sleep 0.1; done
wine "$folder/Uninstall.exe" /S '_?=C:\Program Files\Torvik' </dev/null
check "the program stays while it runs" test -f "$folder/Torvik.exe"
check "and so does its uninstall entry" equals "$(value "HKLM\\$uninstall_key" DisplayVersion)" "$version"
kill "$torvik_pid"
wait "$torvik_pid" 2>/dev/null

wine "$folder/Uninstall.exe" /S </dev/null
check "the uninstaller ends" wait_for_uninstall "HKLM\\$uninstall_key"
check "the program is gone" test ! -e "$folder/Torvik.exe"
check "the command-line companion is gone" test ! -e "$folder/torvik-cli.exe"
check "the uninstaller is gone" test ! -e "$folder/Uninstall.exe"
check "the design saved beside it stays" test -f "$folder/saved beside.TVX"
check "the Start-menu entry is gone" test ! -e "$c_drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Torvik.lnk"
check "the design class is gone" missing 'HKLM\Software\Classes\Torvik.Design'
check "the template class is gone" missing 'HKLM\Software\Classes\Torvik.Template'
check ".TVX names no class" equals "$(value 'HKLM\Software\Classes\.tvx' '')" ""

echo "--- for one user"
wine "$setup" /S /CurrentUser </dev/null
user_folder=$(echo "$c_drive"/users/*/AppData/Local/Programs/Torvik)
check "the program is in the user's programs" test -f "$user_folder/Torvik.exe"
check "the association is the user's" equals "$(value 'HKCU\Software\Classes\.tvx' '')" Torvik.Design
check "the uninstall entry is the user's" equals "$(value "HKCU\\$uninstall_key" DisplayVersion)" "$version"
check "nothing for all users" missing 'HKLM\Software\Classes\Torvik.Design'
wine "$user_folder/Uninstall.exe" /S </dev/null
check "the user's uninstaller ends" wait_for_uninstall "HKCU\\$uninstall_key"
check "the user's program is gone" test ! -e "$user_folder"
check "the user's association is gone" missing 'HKCU\Software\Classes\Torvik.Design'

exit $failed
