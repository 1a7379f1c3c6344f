// The Settings page and its dialogs through the real program: the modem enabling, the field
// corrections, the security dialog's greying and password warning, and pictures of each.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include "tests/gui/link_helpers.h"

namespace {

using gui::TorvikProcess;

constexpr int kEditCommand = 2000;
constexpr int kSettingsTab = 4;

// Sets an edit's text as typing would, without waiting for a message box the change opens.
void typeText(HWND dialog, int id, const char* text) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 500, &result);
}

bool enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

struct Sheet {
  HWND sheet = nullptr;
  HWND page = nullptr;
};

Sheet openSettingsPage(const TorvikProcess& torvik) {
  Sheet s;
  torvik.command(kEditCommand);
  s.sheet = torvik.waitForWindow("#32770", "Torvik - [ New file ]");
  if (s.sheet == nullptr) return s;
  SendMessageA(s.sheet, PSM_SETCURSEL, kSettingsTab, 0);
  gui::waitUntil([&] {
    s.page = reinterpret_cast<HWND>(SendMessageA(s.sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    return s.page != nullptr && GetDlgItem(s.page, 401) != nullptr;
  });
  return s;
}

TEST(EditorSettingsPage, ModemPortsFieldRulesAndDialogs) {
  gui::NoIniFile noIniFile;
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  const Sheet s = openSettingsPage(torvik);
  ASSERT_NE(s.sheet, nullptr);
  ASSERT_NE(s.page, nullptr);
  HWND page = s.page;

  EXPECT_EQ(gui::comboRowCount(GetDlgItem(page, 401)), 5);
  EXPECT_EQ(gui::comboRowCount(GetDlgItem(page, 402)), 4);
  EXPECT_EQ(gui::comboRowText(GetDlgItem(page, 408), 3), "Tone 3");
  EXPECT_EQ(gui::comboRowText(GetDlgItem(page, 411), 2), "2 Sec.");
  EXPECT_EQ(gui::dialogItemText(page, 913), "3.  Modem Speed");

  // Both ports on the modem: no baud rate, the modem speed and both phone numbers.
  gui::selectComboRow(page, 401, 4);
  gui::selectComboRow(page, 402, 3);
  EXPECT_FALSE(enabled(page, 404));
  EXPECT_TRUE(enabled(page, 403));
  EXPECT_TRUE(enabled(page, 301));
  EXPECT_TRUE(enabled(page, 302));
  gui::selectComboRow(page, 402, 1);
  EXPECT_TRUE(enabled(page, 404));
  EXPECT_FALSE(enabled(page, 302));

  // The backlight digit: typing 7 beside the 2 leaves 7.
  SetDlgItemTextA(page, 303, "2");
  typeText(page, 303, "27");
  EXPECT_TRUE(gui::waitUntil([&] { return gui::dialogItemText(page, 303) == "7"; }));

  // Entry prompt stays: "Press any key" stores 0, "Stay on the LCD" then gives 6.
  gui::selectComboRow(page, 407, 1);
  gui::clickButton(page, 152);
  EXPECT_TRUE(gui::waitUntil([&] { return gui::dialogItemText(page, 304) == "0" && !enabled(page, 304); }));
  gui::clickButton(page, 151);
  EXPECT_TRUE(gui::waitUntil([&] { return gui::dialogItemText(page, 304) == "6" && enabled(page, 304); }));
  gui::selectComboRow(page, 401, 4);
  torvik.screenshot("settings_page");

  // Security: "Settings" greys the nine individual boxes; a hyphen is refused with a warning.
  gui::clickButton(page, 202);
  HWND security = torvik.waitForWindow("#32770", "Security Settings");
  ASSERT_NE(security, nullptr);
  gui::clickButton(security, 109);
  EXPECT_TRUE(gui::waitUntil([&] { return IsDlgButtonChecked(security, 109) == BST_CHECKED; }));
  gui::clickButton(security, 101);
  EXPECT_TRUE(gui::waitUntil([&] { return !enabled(security, 107) && !enabled(security, 115); }));
  EXPECT_TRUE(enabled(security, 106));
  EXPECT_EQ(IsDlgButtonChecked(security, 109), BST_CHECKED) << "greyed boxes keep their state";
  typeText(security, 301, "12-34");
  HWND warning = torvik.waitForWindow("#32770", "Warning");
  ASSERT_NE(warning, nullptr);
  EXPECT_EQ(gui::dialogItemText(warning, gui::kMessageBoxTextId), "Invalid character!!!");
  torvik.screenshot("settings_security_warning");
  gui::clickButton(warning, IDOK);
  EXPECT_TRUE(gui::waitUntil([&] { return gui::dialogItemText(security, 301) == "1234"; }));
  torvik.screenshot("settings_security");
  gui::clickButton(security, IDCANCEL);
  ASSERT_TRUE(gui::waitUntil([&] { return !IsWindow(security); }));

  gui::clickButton(page, 203);
  HWND wedge = torvik.waitForWindow("#32770", "Keyboard Wedge Settings");
  ASSERT_NE(wedge, nullptr);
  EXPECT_EQ(gui::comboRowCount(GetDlgItem(wedge, 401)), 32);
  EXPECT_EQ(IsDlgButtonChecked(wedge, 171), BST_CHECKED);
  torvik.screenshot("settings_wedge");
  gui::clickButton(wedge, IDCANCEL);
  ASSERT_TRUE(gui::waitUntil([&] { return !IsWindow(wedge); }));

  gui::clickButton(page, 204);
  HWND keys = torvik.waitForWindow("#32770", "Function Key Mapping");
  ASSERT_NE(keys, nullptr);
  EXPECT_EQ(gui::comboRowCount(GetDlgItem(keys, 407)), 20);
  EXPECT_EQ(enabled(keys, 401), IsDlgButtonChecked(keys, 101) == BST_CHECKED);
  gui::clickButton(keys, 101);
  EXPECT_TRUE(gui::waitUntil([&] { return enabled(keys, 407) == (IsDlgButtonChecked(keys, 101) == BST_CHECKED); }));
  torvik.screenshot("settings_function_keys");
  gui::clickButton(keys, IDCANCEL);
  ASSERT_TRUE(gui::waitUntil([&] { return !IsWindow(keys); }));

  gui::clickButton(s.sheet, IDCANCEL);
  EXPECT_TRUE(gui::waitUntil([&] { return !IsWindow(s.sheet); }));
}

}  // namespace
