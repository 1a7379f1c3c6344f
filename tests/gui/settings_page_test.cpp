// The Settings page and its dialogs through the real program: the modem enabling, the field
// corrections, the security dialog's greying and password warning, and pictures of each.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/gui/editor_helpers.h"

namespace {

constexpr int kSettingsTab = 4;

using gui::enabled;

class EditorSettingsPage : public gui::EditorTest {
 protected:
  // The program starts without an INI file and leaves none behind.
  gui::NoIniFile noIniFile_;
};

TEST_F(EditorSettingsPage, ModemPortsFieldRulesAndDialogs) {
  ASSERT_NE(openEditor(gui::kNewDesignSheet), nullptr);
  HWND page = showPage(kSettingsTab, IDC_SET_UPLOAD_PORT);
  ASSERT_NE(page, nullptr);

  EXPECT_EQ(gui::comboRowCount(GetDlgItem(page, IDC_SET_UPLOAD_PORT)), 5);
  EXPECT_EQ(gui::comboRowCount(GetDlgItem(page, IDC_SET_DOWNLOAD_PORT)), 4);
  EXPECT_EQ(gui::comboRowText(GetDlgItem(page, IDC_SET_KEY_CLICK), 3), "Tone 3");
  EXPECT_EQ(gui::comboRowText(GetDlgItem(page, IDC_SET_VIBRATOR), 2), "2 Sec.");
  EXPECT_EQ(gui::dialogItemText(page, IDC_SET_LABEL_FIRST + 2), "3.  Modem Speed");

  // Both ports on the modem: no baud rate, the modem speed and both phone numbers.
  gui::selectComboRow(page, IDC_SET_UPLOAD_PORT, 4);
  gui::selectComboRow(page, IDC_SET_DOWNLOAD_PORT, 3);
  EXPECT_FALSE(enabled(page, IDC_SET_BAUD_RATE));
  EXPECT_TRUE(enabled(page, IDC_SET_MODEM_SPEED));
  EXPECT_TRUE(enabled(page, IDC_SET_UPLOAD_PHONE));
  EXPECT_TRUE(enabled(page, IDC_SET_DOWNLOAD_PHONE));
  gui::selectComboRow(page, IDC_SET_DOWNLOAD_PORT, 1);
  EXPECT_TRUE(enabled(page, IDC_SET_BAUD_RATE));
  EXPECT_FALSE(enabled(page, IDC_SET_DOWNLOAD_PHONE));

  // The backlight digit: typing 7 beside the 2 leaves 7.
  SetDlgItemTextA(page, IDC_SET_BACKLIGHT_IDLE, "2");
  typeTextOrWarning(page, IDC_SET_BACKLIGHT_IDLE, "27");
  EXPECT_TRUE(gui::waitUntil([&] { return gui::dialogItemText(page, IDC_SET_BACKLIGHT_IDLE) == "7"; }));

  // Entry prompt stays: "Press any key" stores 0, "Stay on the LCD" then gives 6.
  gui::selectComboRow(page, IDC_SET_ENTRY_OPTION, 1);
  gui::clickButton(page, IDC_SET_PRESS_ANY_KEY);
  EXPECT_TRUE(gui::waitUntil(
      [&] { return gui::dialogItemText(page, IDC_SET_STAY_TIME) == "0" && !enabled(page, IDC_SET_STAY_TIME); }));
  gui::clickButton(page, IDC_SET_STAY_ON_LCD);
  EXPECT_TRUE(gui::waitUntil(
      [&] { return gui::dialogItemText(page, IDC_SET_STAY_TIME) == "6" && enabled(page, IDC_SET_STAY_TIME); }));
  gui::selectComboRow(page, IDC_SET_UPLOAD_PORT, 4);
  torvik_->screenshot("settings_page");

  // Security: "Settings" greys the nine individual boxes; a hyphen is refused with a warning.
  gui::clickButton(page, IDC_SET_SECURITY);
  HWND security = torvik_->waitForWindow("#32770", "Security Settings");
  ASSERT_NE(security, nullptr);
  gui::clickButton(security, IDC_SEC_FIRST + 8);
  EXPECT_TRUE(gui::waitUntil([&] { return IsDlgButtonChecked(security, IDC_SEC_FIRST + 8) == BST_CHECKED; }));
  gui::clickButton(security, IDC_SEC_SETTINGS);
  EXPECT_TRUE(gui::waitUntil(
      [&] { return !enabled(security, IDC_SEC_FIRST + 6) && !enabled(security, IDC_SEC_FIRST + 14); }));
  EXPECT_TRUE(enabled(security, IDC_SEC_FIRST + 5));
  EXPECT_EQ(IsDlgButtonChecked(security, IDC_SEC_FIRST + 8), BST_CHECKED) << "greyed boxes keep their state";
  typeTextOrWarning(security, IDC_SEC_PASSWORD, "12-34");
  HWND warning = torvik_->waitForWindow("#32770", "Warning");
  ASSERT_NE(warning, nullptr);
  EXPECT_EQ(gui::dialogItemText(warning, gui::kMessageBoxTextId), "Invalid character!!!");
  torvik_->screenshot("settings_security_warning");
  gui::clickButton(warning, IDOK);
  EXPECT_TRUE(gui::waitUntil([&] { return gui::dialogItemText(security, IDC_SEC_PASSWORD) == "1234"; }));
  torvik_->screenshot("settings_security");
  gui::clickButton(security, IDCANCEL);
  ASSERT_TRUE(gui::waitUntil([&] { return !IsWindow(security); }));

  gui::clickButton(page, IDC_SET_WEDGE);
  HWND wedge = torvik_->waitForWindow("#32770", "Keyboard Wedge Settings");
  ASSERT_NE(wedge, nullptr);
  EXPECT_EQ(gui::comboRowCount(GetDlgItem(wedge, IDC_WEDGE_TYPE)), 32);
  EXPECT_EQ(IsDlgButtonChecked(wedge, IDC_WEDGE_CAPS_FIRST), BST_CHECKED);
  torvik_->screenshot("settings_wedge");
  gui::clickButton(wedge, IDCANCEL);
  ASSERT_TRUE(gui::waitUntil([&] { return !IsWindow(wedge); }));

  gui::clickButton(page, IDC_SET_FUNCTION_KEYS);
  HWND keys = torvik_->waitForWindow("#32770", "Function Key Mapping");
  ASSERT_NE(keys, nullptr);
  EXPECT_EQ(gui::comboRowCount(GetDlgItem(keys, IDC_FKEY_FIRST + 6)), 20);
  EXPECT_EQ(enabled(keys, IDC_FKEY_FIRST), IsDlgButtonChecked(keys, IDC_FKEY_ENABLE) == BST_CHECKED);
  gui::clickButton(keys, IDC_FKEY_ENABLE);
  EXPECT_TRUE(gui::waitUntil(
      [&] { return enabled(keys, IDC_FKEY_FIRST + 6) == (IsDlgButtonChecked(keys, IDC_FKEY_ENABLE) == BST_CHECKED); }));
  torvik_->screenshot("settings_function_keys");
  gui::clickButton(keys, IDCANCEL);
  ASSERT_TRUE(gui::waitUntil([&] { return !IsWindow(keys); }));

  gui::clickButton(sheet_, IDCANCEL);
  EXPECT_TRUE(gui::waitUntil([&] { return !IsWindow(sheet_); }));
}

}  // namespace
