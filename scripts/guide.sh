#!/usr/bin/env bash
# Refreshes the pictures of the user's guide (docs/guide/*.png): the GUI driver's DPI cases at
# 96 DPI take them, cut to each window, and they are converted here without the time stamps
# that would make every run a change.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
shots=build/win/screenshots
rm -f "$shots"/dpi96_*.bmp
tests/gui/wine/dpi_test.sh 96
mkdir -p docs/guide
for name in face popup_menu form_page field_properties time_stamp branch menu_page lookup_page barcode_page \
            symbology code_id weight_code settings_page security wedge function_keys startup_page \
            preferences check_design about; do
  [ -f "$shots/dpi96_$name.bmp" ] || { echo "no screenshot of $name" >&2; exit 1; }
  convert "$shots/dpi96_$name.bmp" -strip "docs/guide/$name.png"
done
echo "docs/guide: $(ls docs/guide/*.png | wc -l) pictures"
