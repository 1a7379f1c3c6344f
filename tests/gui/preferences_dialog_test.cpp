// The Preferences dialog through the real program: its lists, and the window's topmost
// state after it closes.
#include <gtest/gtest.h>

#include "tests/gui/link_helpers.h"

namespace {

using gui::TorvikProcess;

HWND openPreferences(const TorvikProcess& torvik) {
  torvik.command(gui::kPreferencesCommand);
  return torvik.waitForWindow("#32770", "Torvik Preferences");
}

bool topmost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

TEST(PreferencesDialog, ListsTransportsRatesPortsAndTheDefaultLanguage) {
  gui::NoIniFile noIniFile;
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  HWND dialog = openPreferences(torvik);
  ASSERT_NE(dialog, nullptr);
  HWND download = GetDlgItem(dialog, 401);
  ASSERT_EQ(gui::comboRowCount(download), 3);
  EXPECT_EQ(gui::comboRowText(download, 0), "RS-232");
  EXPECT_EQ(gui::comboRowText(download, 1), "Cradle-IR");
  EXPECT_EQ(gui::comboRowText(download, 2), "IrDA");
  EXPECT_EQ(SendMessageW(download, CB_GETCURSEL, 0, 0), 1);  // no INI file: the cradle
  HWND rates = GetDlgItem(dialog, 403);
  ASSERT_EQ(gui::comboRowCount(rates), 5);
  EXPECT_EQ(gui::comboRowText(rates, 0), "115200 bps");
  EXPECT_EQ(gui::comboRowText(rates, 4), "9600 bps");
  HWND ports = GetDlgItem(dialog, 405);
  EXPECT_GE(gui::findComboRow(ports, "COM1 - Serial port"), 0);
  EXPECT_GE(SendMessageW(ports, CB_GETCURSEL, 0, 0), 0);
  HWND language = GetDlgItem(dialog, 404);
  ASSERT_EQ(gui::comboRowCount(language), 1);
  EXPECT_EQ(gui::comboRowText(language, 0), "Default <English>");
  EXPECT_FALSE(IsWindowEnabled(language));  // no language files beside the program
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 905)));
  EXPECT_EQ(IsDlgButtonChecked(dialog, 101), BST_UNCHECKED);
  torvik.screenshot("preferences_dialog");
  gui::clickButton(dialog, IDCANCEL);
  EXPECT_TRUE(gui::waitUntil([&] { return !IsWindow(dialog); }));
}

TEST(PreferencesDialog, AlwaysOnTopTakesEffectOnOkAndCancelKeepsIt) {
  gui::NoIniFile noIniFile;
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  RECT before;
  GetWindowRect(torvik.mainWindow(), &before);
  HWND dialog = openPreferences(torvik);
  ASSERT_NE(dialog, nullptr);
  gui::clickButton(dialog, 102);
  EXPECT_TRUE(gui::waitUntil([&] { return IsDlgButtonChecked(dialog, 102) == BST_CHECKED; }));
  gui::clickButton(dialog, IDOK);
  ASSERT_TRUE(gui::waitUntil([&] { return !IsWindow(dialog); }));
  EXPECT_TRUE(gui::waitUntil([&] { return topmost(torvik.mainWindow()); }));

  // Cancel changes nothing, and the window stays on top where it was.
  dialog = openPreferences(torvik);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(IsDlgButtonChecked(dialog, 102), BST_CHECKED);
  gui::clickButton(dialog, 102);
  gui::clickButton(dialog, IDCANCEL);
  ASSERT_TRUE(gui::waitUntil([&] { return !IsWindow(dialog); }));
  Sleep(200);
  EXPECT_TRUE(topmost(torvik.mainWindow()));
  RECT after;
  GetWindowRect(torvik.mainWindow(), &after);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right - after.left, 200);
  EXPECT_EQ(after.bottom - after.top, 459);

  // Back off, so that no later run starts on top.
  dialog = openPreferences(torvik);
  ASSERT_NE(dialog, nullptr);
  gui::clickButton(dialog, 102);
  gui::clickButton(dialog, IDOK);
  ASSERT_TRUE(gui::waitUntil([&] { return !IsWindow(dialog); }));
  EXPECT_TRUE(gui::waitUntil([&] { return !topmost(torvik.mainWindow()); }));
}

}  // namespace
